#pragma once
#include <optional>

#include "machine/machine_facts.h"
#include "platform/failure.h"
#include "platform/system_facts.h"

namespace torvel {

// The operating system and processor; none when collecting fails (the problem reported).
std::optional<OsFacts> VersionInformation(SystemFacts& system, ProblemSink& problems);

}  // namespace torvel
