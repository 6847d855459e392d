#pragma once
// The report writer: collects the whole report and puts it in place of the previous one.
#include <string>

#include "platform/platform.h"
#include "report/report_stream.h"

namespace torvel {

// The application folder followed by "\TORVEL Info.htm", with no check for a separator
// already there (a drive root gives two in a row, which the file functions accept).
std::string ReportPath(const std::string& folder);

// Writes the report beside the tool. Throws ReportFileError when the report file cannot be
// replaced; the previous report then stays as it was.
void WriteToFile(const Platform& p);
// The same, to any path (the silent mode's FILE).
void WriteReportTo(const Platform& p, const std::string& path);
// All the report's lines, in order.
void CollectReport(const Platform& p, ReportStream& out);
// The five header lines.
void WriteReportHeader(ReportStream& out);

}  // namespace torvel
