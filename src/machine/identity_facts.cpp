#include "machine/identity_facts.h"

#include <algorithm>
#include <vector>

#include "machine/collector_failure.h"
#include "text/label_lines.h"

namespace torvel {

namespace {

constexpr std::uint32_t kUserBufferSize = 200;
// Counted in characters: a UTF-8 character takes up to four bytes.
constexpr std::uint32_t kComputerNameCharacters = 32;
constexpr std::uint32_t kComputerBufferSize = kComputerNameCharacters * 4;
constexpr std::uint32_t kTempBufferSize = 512;

}  // namespace

void UserName(const Platform& p, ReportStream& out) {
  RunCollector(p, "UserName", [&] {
    std::vector<char> buffer(kUserBufferSize, '\0');
    std::uint32_t size = kUserBufferSize - 1;
    p.identity.UserNameInto(buffer.data(), &size);
    // The characters the call reports, up to their first NUL; none among them: no name.
    auto end = buffer.begin() + std::min(size, kUserBufferSize);
    auto nul = std::find(buffer.begin(), end, '\0');
    std::string name = nul == end ? std::string() : std::string(buffer.begin(), nul);
    out.WriteLine("<pre>" + LabelLine("USER NAME:", EscapeHtml(name)));
  });
}

void ComputerName(const Platform& p, ReportStream& out) {
  std::vector<char> buffer(kComputerBufferSize, 'X');
  std::uint32_t size = kComputerBufferSize;
  // A call that fails leaves the buffer's X characters, as many as the buffer holds characters.
  const std::string name = p.identity.ComputerNameInto(buffer.data(), &size)
                               ? std::string(buffer.data(), std::min(size, kComputerBufferSize))
                               : std::string(kComputerNameCharacters, 'X');
  out.WriteLine(LabelLine("COMPUTER NAME:", EscapeHtml(name)));
}

std::string GetTempDirectory(const Platform& p) {
  return RunCollector(p, "GetTempDirectory", [&] {
    std::vector<char> buffer(kTempBufferSize, ' ');
    std::uint32_t length = p.identity.TempPathInto(kTempBufferSize, buffer.data());
    // A length beyond the buffer is the size the path would need: nothing was written.
    if (length == 0 || length >= kTempBufferSize) return std::string();
    return std::string(buffer.data(), length);
  });
}

std::string GetEnvironmentVar(const Platform& p, const std::string& name) {
  return RunCollector(p, "GetEnvironmentVar",
                      [&] { return p.identity.EnvironmentVariable(name).value_or(""); });
}

}  // namespace torvel
