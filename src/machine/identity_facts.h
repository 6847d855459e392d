#pragma once
#include <string>

#include "platform/platform.h"
#include "text/report_stream.h"

namespace torvel {

// The user line, which opens the machine block's preformatted text. On a failure nothing is
// written (the handler's box says why).
void UserName(const Platform& p, ReportStream& out);
// The computer line. A name the system does not give leaves the buffer's X characters in the
// line. Has no failure handler of its own: a failure passes to the report writer.
void ComputerName(const Platform& p, ReportStream& out);
// The temporary folder as the system gives it (empty text when it cannot be had).
std::string GetTempDirectory(const Platform& p);
// The whole value of an environment variable (empty text when unset).
std::string GetEnvironmentVar(const Platform& p, const std::string& name);

}  // namespace torvel
