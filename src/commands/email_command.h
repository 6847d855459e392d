#pragma once
// The e-mail command.
#include <string>

#include "mail/outlook_mail.h"
#include "platform/shell.h"
#include "report/report_writer.h"

namespace torvel {

inline constexpr char kErrorTitle[] = "Error";
inline constexpr char kEmptyRecipientText[] =
    "Email address can not have a null value. Please type in the correct email address.";
inline constexpr char kEmailOptionTitle[] = "Email Option";
inline constexpr char kEmailOptionText[] = "Do you use MS Outlook as your Email Client?";

// The link road's body: the link cannot carry the report, so it asks the user to attach it.
std::string LinkBody(const std::string& folder);

// Sends a freshly written report (private when asked, and then the link's body too) to
// `recipient` (the field as typed) by the road the user chooses. An empty recipient only gets
// the "Error" box.
void EmailCommand(const FactSources& sources, Dialogs& dialogs, Shell& shell,
                  SimpleMail& simple_mail, const std::string& recipient, MailState& state,
                  bool private_report);

}  // namespace torvel
