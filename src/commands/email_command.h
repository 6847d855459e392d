#pragma once
// The e-mail command: checks the recipient, writes a fresh report and sends it through the mail
// client or a mailto link.
#include <string>

#include "mail/outlook_mail.h"
#include "platform/platform.h"

namespace torvel {

inline constexpr char kErrorTitle[] = "Error";
inline constexpr char kEmptyRecipientText[] =
    "Email address can not have a null value. Please type in the correct email address.";
inline constexpr char kEmailOptionTitle[] = "Email Option";
inline constexpr char kEmailOptionText[] = "Do you use MS Outlook as your Email Client?";

// The body of the link road's message: it asks the user to attach the report from `folder`.
std::string LinkBody(const std::string& folder);

// `recipient` is the whole text of the recipient field, untrimmed. An empty one shows the
// "Error" box and nothing else happens; otherwise the report is written afresh, the user is
// asked which road to take, and the mail goes out by that road.
void EmailCommand(const Platform& p, WindowRef owner, const std::string& recipient,
                  MailState& state);

}  // namespace torvel
