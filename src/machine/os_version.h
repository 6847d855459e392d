#pragma once
#include <string>

#include "platform/platform.h"
#include "text/report_stream.h"

namespace torvel {

// The operating-system and processor block: seven label lines. A failure while collecting is
// shown by the collectors' failure handler and leaves the block out.
void VersionInformation(const Platform& p, ReportStream& out);

// "Windows95 " (1), "Windows NT " (2), empty text for any other platform identifier.
std::string PlatformText(std::uint32_t platform_id);
// "386" and "486" for those types; every other type is reported as "586".
std::string ProcessorText(std::uint32_t type);

}  // namespace torvel
