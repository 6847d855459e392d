#pragma once
#include <string>

#include "platform/platform.h"
#include "report/report_stream.h"

namespace torvel {

// The user line, which opens the machine block's preformatted text.
void UserName(const Platform& p, ReportStream& out);
void ComputerName(const Platform& p, ReportStream& out);
// The temporary folder as the system gives it (empty text when it cannot be had).
std::string GetTempDirectory(const Platform& p);
// The value of an environment variable (empty text when unset).
std::string GetEnvironmentVar(const Platform& p, const std::string& name);

}  // namespace torvel
