#pragma once
#include "platform/platform.h"
#include "report/report_stream.h"

namespace torvel {

// The memory, disk and display block: eight label lines.
void SystemInformation(const Platform& p, ReportStream& out);

}  // namespace torvel
