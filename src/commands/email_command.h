#pragma once
// The e-mail command.
#include <string>

#include "mail/outlook_mail.h"
#include "platform/platform.h"

namespace torvel {

inline constexpr char kErrorTitle[] = "Error";
inline constexpr char kEmptyRecipientText[] =
    "Email address can not have a null value. Please type in the correct email address.";
inline constexpr char kEmailOptionTitle[] = "Email Option";
inline constexpr char kEmailOptionText[] = "Do you use MS Outlook as your Email Client?";

// The link road's body: the link cannot carry the report, so it asks the user to attach it.
std::string LinkBody(const std::string& folder);

// Sends a freshly written report to `recipient` (the field as typed) by the road the user
// chooses. An empty recipient only gets the "Error" box.
void EmailCommand(const Platform& p, WindowRef owner, const std::string& recipient,
                  MailState& state);

}  // namespace torvel
