#include "machine/identity_facts.h"

#include "machine/collector_failure.h"

namespace torvel {

namespace {

// What the report shows for a computer name that cannot be had: the X characters its buffer
// was filled with, as many as a name has characters.
constexpr std::size_t kComputerNameCharacters = 32;

}  // namespace

std::optional<std::string> UserName(Identity& identity, ProblemSink& problems) {
  // A name the system does not give reads empty; only a failure raised is reported.
  return RunCollector(problems, "UserName",
                      [&] { return identity.UserName().value_or(std::string()); });
}

std::string ComputerName(Identity& identity) {
  return identity.ComputerName().value_or(std::string(kComputerNameCharacters, 'X'));
}

std::optional<std::string> GetTempDirectory(Identity& identity, ProblemSink& problems) {
  return RunCollector(problems, "GetTempDirectory",
                      [&] { return identity.TempPath().value_or(std::string()); });
}

std::optional<std::string> GetEnvironmentVar(Identity& identity, ProblemSink& problems,
                                             const std::string& name) {
  return RunCollector(problems, "GetEnvironmentVar",
                      [&] { return identity.EnvironmentVariable(name); })
      .value_or(std::nullopt);
}

}  // namespace torvel
