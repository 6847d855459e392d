#pragma once
#include <optional>
#include <string>

#include "platform/failure.h"
#include "platform/identity.h"

namespace torvel {

// The user's name; none when the call fails outright (the problem reported), empty text when the
// system gives none.
std::optional<std::string> UserName(Identity& identity, ProblemSink& problems);
// The computer's name; 32 X characters when the system gives none. Has no failure handler of
// its own: a failure raised ends the run.
std::string ComputerName(Identity& identity);
// The temporary folder as the system gives it (empty text when it gives none); none when its
// collector failed.
std::optional<std::string> GetTempDirectory(Identity& identity, ProblemSink& problems);
// The whole value of an environment variable; none when unset or unreadable.
std::optional<std::string> GetEnvironmentVar(Identity& identity, ProblemSink& problems,
                                             const std::string& name);

}  // namespace torvel
