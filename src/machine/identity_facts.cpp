#include "machine/identity_facts.h"

#include "machine/collector_failure.h"

namespace torvel {

namespace {

// What the report shows for a computer name that cannot be had: the X characters its buffer
// was filled with, as many as a name has characters.
constexpr std::size_t kComputerNameCharacters = 32;

}  // namespace

std::optional<std::string> UserName(const Platform& p, Problems& problems) {
  // A name the system does not give reads empty; only a failure raised ends in a box.
  return RunCollector(p, problems, "UserName",
                      [&] { return p.identity.UserName().value_or(std::string()); });
}

std::string ComputerName(const Platform& p) {
  return p.identity.ComputerName().value_or(std::string(kComputerNameCharacters, 'X'));
}

std::optional<std::string> GetTempDirectory(const Platform& p, Problems& problems) {
  return RunCollector(p, problems, "GetTempDirectory",
                      [&] { return p.identity.TempPath().value_or(std::string()); });
}

std::optional<std::string> GetEnvironmentVar(const Platform& p, Problems& problems,
                                             const std::string& name) {
  return RunCollector(p, problems, "GetEnvironmentVar",
                      [&] { return p.identity.EnvironmentVariable(name); })
      .value_or(std::nullopt);
}

}  // namespace torvel
