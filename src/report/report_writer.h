#pragma once
// The report writer: collects the whole report and puts it in place of the previous one.
#include <stdexcept>
#include <string>

#include "platform/platform.h"
#include "text/report_stream.h"

namespace torvel {

// The report file itself could not be replaced. Ends the run; the command that started it
// shows one message. Not a Failure, so no collector's handler catches it.
class ReportFileError : public std::runtime_error {
 public:
  ReportFileError(std::string path, long code, const std::string& reason)
      : std::runtime_error(reason), path_(std::move(path)), code_(code) {}
  const std::string& path() const { return path_; }
  long code() const { return code_; }
  std::string reason() const { return what(); }

 private:
  std::string path_;
  long code_;
};

// The application folder followed by "\TORVEL Info.htm", with no check for a separator
// already there (a drive root gives two in a row, which the file functions accept).
std::string ReportPath(const std::string& folder);

// What to do when the report's folder cannot be written.
inline constexpr char kUnwritableFolderAdvice[] =
    "The folder cannot be written to: copy the tool to a folder you can write to, or name "
    "another file with /report FILE.";

// Writes the report beside the tool. Throws ReportFileError when the report file cannot be
// replaced; the previous report then stays as it was.
void WriteToFile(const Platform& p);
// The same, to any path (the silent mode's FILE).
void WriteReportTo(const Platform& p, const std::string& path);
// Writes the report with the wait cursor; when the report file cannot be written, shows one
// message (application title, the report path and the system's reason) and returns false.
bool RunReport(const Platform& p);
// The message shown when the report file cannot be written.
std::string ReportFailureText(const std::string& path, const std::string& reason);
// All the report's lines, in order.
void CollectReport(const Platform& p, ReportStream& out);
// The five header lines.
void WriteReportHeader(ReportStream& out);

}  // namespace torvel
