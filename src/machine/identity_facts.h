#pragma once
#include <optional>
#include <string>

#include "platform/failure.h"
#include "platform/platform.h"

namespace torvel {

// The user's name; none when the call fails outright (its box says why), empty text when the
// system gives none.
std::optional<std::string> UserName(const Platform& p, Problems& problems);
// The computer's name; 32 X characters when the system gives none. Has no failure handler of
// its own: a failure raised ends the run.
std::string ComputerName(const Platform& p);
// The temporary folder as the system gives it (empty text when it gives none); none when its
// collector failed.
std::optional<std::string> GetTempDirectory(const Platform& p, Problems& problems);
// The whole value of an environment variable; none when unset or unreadable.
std::optional<std::string> GetEnvironmentVar(const Platform& p, Problems& problems,
                                             const std::string& name);

}  // namespace torvel
