#pragma once
// The host application's facts: its answers, or why there are none, and the installed edition
// of each release.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/automation.h"
#include "platform/registry.h"

namespace torvel {

// The releases whose setup key names the installed edition.
inline constexpr std::array<const char*, 3> kReleaseYears = {"2004", "2005", "2006"};

struct HostFacts {
  std::optional<std::int64_t> date_code;
  std::optional<ErrorInfo> date_code_failure;  // why there is no date code
  std::optional<std::string> revision_number;
  std::optional<ErrorInfo> revision_number_failure;
  // The edition code of each release, as read; none when it could not be read.
  std::array<std::optional<std::int32_t>, kReleaseYears.size()> editions;
};

// Asks a running host, or one it starts and then tells to exit, for its date code and revision
// number; then reads the editions.
HostFacts PartwrightInformation(Automation& automation, Registry& registry);

}  // namespace torvel
