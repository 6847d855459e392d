#pragma once
#include "platform/platform.h"
#include "report/report_stream.h"

namespace torvel {

// The product sections: one for each TORVEL product whose registry key exists.
void RegistryValue(const Platform& p, ReportStream& out);

}  // namespace torvel
