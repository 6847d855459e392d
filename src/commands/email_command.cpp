#include "commands/email_command.h"

#include "mail/mail_link.h"
#include "report/report_writer.h"
#include "text/fragments.h"

namespace torvel {

std::string LinkBody(const std::string& folder) {
  return "Please attach the '" + std::string(kReportFileName) + "' file created in " + folder +
         " directory.\r\nThanks.";
}

// The link is handed to the shell without an owner window, so `owner` is not used.
void EmailCommand(const Platform& p, WindowRef /*owner*/, const std::string& recipient,
                  MailState& state) {
  state.email_address = recipient;
  if (state.email_address.empty()) {
    p.dialogs.Show(kEmptyRecipientText, kErrorTitle, Buttons::kOk);
    return;
  }
  const std::string folder = ChooseReportFolder(p).path;
  const std::string body = LinkBody(folder);

  // A report that cannot be written has been reported by RunReport; nothing is sent then.
  if (!RunReport(p, folder)) return;

  if (p.dialogs.Show(kEmailOptionText, kEmailOptionTitle, Buttons::kYesNo) == Answer::kYes) {
    SendOutlookMail(p, state, ReportPath(folder));
  } else {
    SendMailLink(p.shell, state.email_address, kReportAttachedText, body);
  }
}

}  // namespace torvel
