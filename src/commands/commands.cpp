#include "commands/commands.h"

#include "platform/failure.h"
#include "text/app_info.h"
#include "text/fragments.h"

namespace torvel {

void SaveViewCommand(const FactSources& sources, Dialogs& dialogs, Shell& shell, WindowRef owner,
                     bool private_report) {
  const std::string folder = ChooseReportFolder(sources.files).path;
  Answer answer = dialogs.Show(
      " Do you want to view the information?\r\n(Information will be automatically saved to " +
          folder + "\\" + kReportFileText + ".)",
      kViewSaveTitle, Buttons::kYesNo);
  if (!RunReport(sources, dialogs, folder, private_report)) return;
  if (answer == Answer::kYes) {
    OpenReport(shell, owner, folder);
  } else {
    dialogs.Show("Information written to " + folder + "\\" + kReportFileText + ". ", kViewSaveTitle,
                 Buttons::kOk);
  }
}

void OpenReport(Shell& shell, WindowRef owner, const std::string& folder) {
  try {
    shell.Execute(owner, "", ReportPath(folder), "", "C:\\", kShowNormal);
  } catch (const Failure&) {
    // Opening the report is not checked, whichever way it fails; the report is written.
  }
}

}  // namespace torvel
