#include "machine/identity_facts.h"

#include <algorithm>
#include <vector>

#include "machine/collector_failure.h"

namespace torvel {

namespace {

constexpr std::uint32_t kUserBufferSize = 200;
// Counted in characters: a UTF-8 character takes up to four bytes.
constexpr std::uint32_t kComputerNameCharacters = 32;
constexpr std::uint32_t kComputerBufferSize = kComputerNameCharacters * 4;
constexpr std::uint32_t kTempBufferSize = 512;

}  // namespace

std::optional<std::string> UserName(const Platform& p, Problems& problems) {
  return RunCollector(p, problems, "UserName", [&] {
    std::vector<char> buffer(kUserBufferSize, '\0');
    std::uint32_t size = kUserBufferSize - 1;
    p.identity.UserNameInto(buffer.data(), &size);
    // The characters the call reports, up to their first NUL; none among them: no name.
    auto end = buffer.begin() + std::min(size, kUserBufferSize);
    auto nul = std::find(buffer.begin(), end, '\0');
    return nul == end ? std::string() : std::string(buffer.begin(), nul);
  });
}

std::string ComputerName(const Platform& p) {
  std::vector<char> buffer(kComputerBufferSize, 'X');
  std::uint32_t size = kComputerBufferSize;
  // A call that fails leaves the buffer's X characters, as many as the buffer holds characters.
  return p.identity.ComputerNameInto(buffer.data(), &size)
             ? std::string(buffer.data(), std::min(size, kComputerBufferSize))
             : std::string(kComputerNameCharacters, 'X');
}

std::optional<std::string> GetTempDirectory(const Platform& p, Problems& problems) {
  return RunCollector(p, problems, "GetTempDirectory", [&] {
    std::vector<char> buffer(kTempBufferSize, ' ');
    std::uint32_t length = p.identity.TempPathInto(kTempBufferSize, buffer.data());
    // A length beyond the buffer is the size the path would need: nothing was written.
    if (length == 0 || length >= kTempBufferSize) return std::string();
    return std::string(buffer.data(), length);
  });
}

std::optional<std::string> GetEnvironmentVar(const Platform& p, Problems& problems,
                                             const std::string& name) {
  return RunCollector(p, problems, "GetEnvironmentVar",
                      [&] { return p.identity.EnvironmentVariable(name); })
      .value_or(std::nullopt);
}

}  // namespace torvel
