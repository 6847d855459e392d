#include "app/commands.h"

#include "app/app_info.h"
#include "platform/failure.h"
#include "report/fragments.h"
#include "report/report_writer.h"

namespace torvel {

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

void SaveViewCommand(const Platform& p, WindowRef owner) {
  const std::string folder = p.files.ExeFolder();
  Answer answer = p.dialogs.Show(
      " Do you want to view the information?\r\n(Information will be automatically saved to " +
          folder + "\\TORVEL Info.htm File.)",
      kViewSaveTitle, Buttons::kYesNo);
  if (!RunReport(p)) return;
  if (answer == Answer::kYes) {
    OpenReport(p, owner);
  } else {
    p.dialogs.Show("Information written to " + folder + "\\TORVEL Info.htm File. ", kViewSaveTitle,
                   Buttons::kOk);
  }
}

void OpenReport(const Platform& p, WindowRef owner) {
  try {
    p.shell.Execute(owner, "", ReportPath(p.files.ExeFolder()), "", "C:\\", kShowNormal);
  } catch (const Failure&) {
    // Opening the report is not checked, whichever way it fails; the report is written.
  }
}

}  // namespace torvel
