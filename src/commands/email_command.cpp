#include "commands/email_command.h"

#include "mail/mail_link.h"
#include "report/private_report.h"
#include "text/fragments.h"

namespace torvel {

std::string LinkBody(const std::string& folder) {
  return "Please attach the '" + std::string(kReportFileName) + "' file created in " + folder +
         " directory.\r\nThanks.";
}

// The link is handed to the shell without an owner window.
void EmailCommand(const FactSources& sources, Dialogs& dialogs, Shell& shell,
                  SimpleMail& simple_mail, const std::string& recipient, MailState& state,
                  bool private_report) {
  state.email_address = recipient;
  if (state.email_address.empty()) {
    dialogs.Show(kEmptyRecipientText, kErrorTitle, Buttons::kOk);
    return;
  }
  const std::string folder = ChooseReportFolder(sources.files).path;
  // A report that cannot be written has been reported by RunReport; nothing is sent then.
  const std::optional<MachineFacts> machine = RunReport(sources, dialogs, folder, private_report);
  if (!machine) return;
  // The folder may hold the user's name, which a private report's mail does not.
  const std::string body =
      private_report ? PrivateText(LinkBody(folder), *machine) : LinkBody(folder);

  if (dialogs.Show(kEmailOptionText, kEmailOptionTitle, Buttons::kYesNo) == Answer::kYes) {
    SendOutlookMail({sources.automation, simple_mail, sources.registry, dialogs}, state,
                    ReportPath(folder));
  } else {
    SendMailLink(shell, state.email_address, kReportAttachedText, body);
  }
}

}  // namespace torvel
