#pragma once
// Collecting the report and putting it in place of the previous one.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "report/collect_facts.h"

namespace torvel {

// The report file itself could not be written. Not a Failure, so that no collector's handler
// swallows it: it ends the run and reaches the command.
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

// The folder, a separator and the report's name; a drive root ("C:\") gives two separators in a
// row, which the file functions accept.
std::string ReportPath(const std::string& folder);

// What to do when the report's folder cannot be written: a window user has no switches.
inline constexpr char kWindowFolderAdvice[] =
    "The folder cannot be written to: copy the tool to a folder you can write to.";
inline constexpr char kSilentFolderAdvice[] =
    "The folder cannot be written to: copy the tool to a folder you can write to, or name "
    "another file with /report FILE.";

// Where the JSON twin goes by default: the folder, a separator and its name.
std::string JsonPath(const std::string& folder);

enum class Format { kHtml, kJson };
struct Output {
  std::string path;  // full
  Format format;
};

// Checks every output's name, then collects once and writes each output whole, private
// (PrivateFacts) when asked. Returns the machine's facts as collected, for what is written
// outside the report. Throws ReportFileError when one cannot be put in place; it then stays as
// it was, and the reason names the one before it that was written.
MachineFacts WriteReports(const FactSources& sources, Dialogs& dialogs,
                          const std::vector<Output>& outputs, const std::string& advice,
                          bool private_report);
// Where the report goes unless a file is named: the program's folder when a file can be created
// there; when it cannot for want of rights, the user's Documents folder, else the user's
// temporary folder. A try leaves nothing behind.
struct ReportFolder {
  std::string path;
  bool redirected = false;  // not the program's folder
};
ReportFolder ChooseReportFolder(Files& files);
// WriteReports; when a file cannot be written, shows one message (ReportFailureText) and
// returns nothing.
std::optional<MachineFacts> RunReports(const FactSources& sources, Dialogs& dialogs,
                                       const std::vector<Output>& outputs,
                                       const std::string& advice, bool private_report);
// The HTML report in the folder ChooseReportFolder gives.
std::optional<MachineFacts> WriteToFile(const FactSources& sources, Dialogs& dialogs,
                                        bool private_report);
// The HTML report in `folder`, with the wait cursor: the window's commands.
std::optional<MachineFacts> RunReport(const FactSources& sources, Dialogs& dialogs,
                                      const std::string& folder, bool private_report);
std::string ReportFailureText(const std::string& path, const std::string& reason);

}  // namespace torvel
