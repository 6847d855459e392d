#pragma once
#include "platform/platform.h"
#include "text/report_stream.h"

namespace torvel {

// The host application section that ends every report.
void PartwrightInformation(const Platform& p, ReportStream& out);

}  // namespace torvel
