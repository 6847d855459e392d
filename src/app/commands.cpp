#include "app/commands.h"

#include "app/app_info.h"
#include "platform/failure.h"
#include "report/report_writer.h"

namespace torvel {

std::string ReportFailureText(const std::string& path, const std::string& reason) {
  return "The report could not be written to " + path + ".\r\n" + reason;
}

bool RunReport(const Platform& p) {
  try {
    BusyScope busy(p.dialogs);
    WriteToFile(p);
    return true;
  } catch (const ReportFileError& e) {
    p.dialogs.Show(ReportFailureText(e.path(), e.reason()), kAppTitle, Buttons::kOk);
    return false;
  }
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
  p.shell.Execute(owner, "", ReportPath(p.files.ExeFolder()), "", "C:\\", kShowNormal);
}

}  // namespace torvel
