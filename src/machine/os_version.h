#pragma once
#include <optional>

#include "machine/machine_facts.h"
#include "platform/failure.h"
#include "platform/platform.h"

namespace torvel {

// The operating system and processor; none when collecting fails (its box says why).
std::optional<OsFacts> VersionInformation(const Platform& p, Problems& problems);

}  // namespace torvel
