#pragma once
#include "platform/platform.h"
#include "report/report_stream.h"

namespace torvel {

// The operating-system and processor block: seven label lines.
void VersionInformation(const Platform& p, ReportStream& out);

}  // namespace torvel
