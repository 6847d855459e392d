#include "commands/email_command.h"

#include "mail/mail_link.h"
#include "text/fragments.h"

namespace torvel {

std::string LinkBody(const std::string& folder) {
  return "Please attach the '" + std::string(kReportFileName) + "' file created in " + folder +
         " directory.\r\nThanks.";
}

// The link is handed to the shell without an owner window.
void EmailCommand(const FactSources& sources, Dialogs& dialogs, Shell& shell, SimpleMail& simple_mail,
                  const std::string& recipient, MailState& state) {
  state.email_address = recipient;
  if (state.email_address.empty()) {
    dialogs.Show(kEmptyRecipientText, kErrorTitle, Buttons::kOk);
    return;
  }
  const std::string folder = ChooseReportFolder(sources.files).path;
  const std::string body = LinkBody(folder);

  // A report that cannot be written has been reported by RunReport; nothing is sent then.
  if (!RunReport(sources, dialogs, folder)) return;

  if (dialogs.Show(kEmailOptionText, kEmailOptionTitle, Buttons::kYesNo) == Answer::kYes) {
    SendOutlookMail({sources.automation, simple_mail, sources.registry, dialogs}, state, ReportPath(folder));
  } else {
    SendMailLink(shell, state.email_address, kReportAttachedText, body);
  }
}

}  // namespace torvel
