#include "commands/commands.h"

#include "platform/failure.h"
#include "report/report_writer.h"
#include "text/app_info.h"
#include "text/fragments.h"

namespace torvel {

void SaveViewCommand(const Platform& p, WindowRef owner) {
  const std::string folder = ChooseReportFolder(p).path;
  Answer answer = p.dialogs.Show(
      " Do you want to view the information?\r\n(Information will be automatically saved to " +
          folder + "\\" + kReportFileText + ".)",
      kViewSaveTitle, Buttons::kYesNo);
  if (!RunReport(p, folder)) return;
  if (answer == Answer::kYes) {
    OpenReport(p, owner, folder);
  } else {
    p.dialogs.Show("Information written to " + folder + "\\" + kReportFileText + ". ",
                   kViewSaveTitle, Buttons::kOk);
  }
}

void OpenReport(const Platform& p, WindowRef owner, const std::string& folder) {
  try {
    p.shell.Execute(owner, "", ReportPath(folder), "", "C:\\", kShowNormal);
  } catch (const Failure&) {
    // Opening the report is not checked, whichever way it fails; the report is written.
  }
}

}  // namespace torvel
