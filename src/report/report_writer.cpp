#include "report/report_writer.h"

#include "hostapp/host_section.h"
#include "machine/identity_facts.h"
#include "machine/network_identity.h"
#include "machine/os_version.h"
#include "machine/system_information.h"
#include "machine/uptime.h"
#include "platform/failure.h"
#include "products/product_sections.h"
#include "text/app_info.h"
#include "text/fragments.h"
#include "text/label_lines.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

constexpr long kAccessDenied = 5;

[[noreturn]] void Fail(const Platform& p, const std::string& path, long code) {
  throw ReportFileError(path, code, p.files.ErrorText(code));
}

}  // namespace

std::string ReportPath(const std::string& folder) { return folder + "\\" + kReportFileName; }

void WriteReportHeader(ReportStream& out) {
  out.WriteLine("<h1 align=center>Information about TORVEL Products</h1>");
  out.WriteLine(std::string("<h2 align=center>") + kProductName + "</h2>");
  out.WriteLine("<h3 align=center>Version" + SignPosition(kVersionMajor) + "." +
                SignPosition(kVersionMinor) + "." + SignPosition(kVersionRevision) + "</h3>");
  out.WriteLine(std::string("<h3 align=center>") + kLegalNotice + "</h3>");
  out.WriteEmptyLine();
}

void CollectReport(const Platform& p, ReportStream& out) {
  out.WriteLine("<html>");
  out.WriteLine("<head>");
  out.WriteLine(kCharsetDeclaration);
  out.WriteLine(std::string("<title>Information about TORVEL Products - ") + kAppTitle +
                " Version " + VersionText() + "</title>");
  out.WriteLine("</head>");
  out.WriteLine("<body>");
  Uptime uptime = SystemRunning(p.clock.TickCount());
  WriteReportHeader(out);
  out.WriteEmptyLine();
  out.WriteEmptyLine();
  out.WriteLine(std::string(kBoldHeadingPrefix) + "User and System Information:</p>");
  out.WriteEmptyLine();
  UserName(p, out);
  ComputerName(p, out);
  out.WriteLine(UptimeSentence(uptime));
  out.WriteLine(LabelLine("Ethernet Address:", EscapeHtml(GetEthernetAddress(p, 0))));
  out.WriteLine(LabelLine("IP Address:", EscapeHtml(LocalIpAddress(p))));
  out.WriteEmptyLine();
  VersionInformation(p, out);
  out.WriteEmptyLine();
  SystemInformation(p, out);
  out.WriteEmptyLine();
  out.WriteLine(LabelLine("TEMPORARY DIRECTORY :", EscapeHtml(GetTempDirectory(p))));
  out.WriteLine(LabelLine("PATH :", EscapeHtml(GetEnvironmentVar(p, "Path"))));
  out.WriteLine(LabelLine("TORVELK :", EscapeHtml(GetEnvironmentVar(p, "TORVELK")) + "</pre>"));
  RegistryValue(p, out);
  out.WriteEmptyLine();
  PartwrightInformation(p, out);
  out.WriteLine("</body>");
}

namespace {

// The temporary file of one run beside the report: "<report>.<process id>.tmp".
std::string TemporaryPath(const std::string& path, std::uint32_t process_id) {
  return path + "." + std::to_string(process_id) + ".tmp";
}

// This run's temporary file, removed on every way out unless it became the report.
class TemporaryFile {
 public:
  TemporaryFile(Files& files, std::string path) : files_(files), path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (path_.empty()) return;
    try {
      files_.Remove(path_);
    } catch (...) {
      // Already on the way out with the failure that matters.
    }
  }
  const std::string& path() const { return path_; }
  void Placed() { path_.clear(); }

 private:
  Files& files_;
  std::string path_;
};

}  // namespace

void WriteReportTo(const Platform& p, const std::string& path) {
  // A previous report that cannot be replaced fails the run before anything is collected.
  std::uint32_t attributes = 0;
  if (p.files.Attributes(path, &attributes) == 0 &&
      (attributes & (kAttrReadOnly | kAttrDirectory)) != 0) {
    Fail(p, path, kAccessDenied);
  }
  // The report is written beside itself under this run's own name and moved into place, so a
  // failure leaves the previous report untouched, a successful run leaves exactly its own
  // content, and two runs at once never touch each other's file. Creating it first tells at once
  // when the folder cannot be written, before the host application is started.
  const std::string temporary = TemporaryPath(path, p.files.ProcessId());
  if (const long code = p.files.WriteWhole(temporary, ""); code != 0) {
    p.files.Remove(temporary);
    throw ReportFileError(path, code, p.files.ErrorText(code) + " " + kUnwritableFolderAdvice);
  }
  TemporaryFile file(p.files, temporary);
  ReportStream out;
  CollectReport(p, out);
  long code = p.files.WriteWhole(temporary, out.text());
  if (code == 0) code = p.files.MoveReplacing(temporary, path);
  if (code != 0) Fail(p, path, code);
  file.Placed();
}

void WriteToFile(const Platform& p) { WriteReportTo(p, ReportPath(p.files.ExeFolder())); }

std::string ReportFailureText(const std::string& path, const std::string& reason) {
  return "The report could not be written to " + path + ".\r\n" + reason;
}

bool RunReport(const Platform& p) {
  std::string path = kReportFileName;
  try {
    BusyScope busy(p.dialogs);
    path = ReportPath(p.files.ExeFolder());
    WriteToFile(p);
    return true;
  } catch (const ReportFileError& e) {
    p.dialogs.Show(ReportFailureText(e.path(), e.reason()), kAppTitle, Buttons::kOk);
  } catch (const std::exception& e) {
    // A failure that no collector handles ends the run as well; the report is only written
    // once everything is collected, so the previous one is still in place.
    p.dialogs.Show(ReportFailureText(path, e.what()), kAppTitle, Buttons::kOk);
  }
  return false;
}

}  // namespace torvel
