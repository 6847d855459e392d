#pragma once
// The mail-client road: the mail client, reached by automation, sends the report as an
// attachment; where it has no application object, the default mail program gets the same
// message through Simple MAPI.
#include <string>

#include "platform/automation.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/simple_mail.h"

namespace torvel {

// The class name under which the mail client registers its application object.
inline constexpr char kMailClientClass[] = "Outlook.Application";
inline constexpr char kEmailDeliveryTitle[] = "Email Delivery";
inline constexpr char kMailSentText[] = "Email successfully sent. ";

// What the e-mail command keeps for the rest of the run.
struct MailState {
  // The recipient field's text at the start of the last e-mail command.
  std::string email_address;
  // The mail client's application object: created at the first send through the client and
  // reused by later sends. Only an object that was created successfully is kept.
  AutomationRef client;
};

// What the mail roads call.
struct MailServices {
  Automation& automation;
  SimpleMail& simple_mail;
  Registry& registry;  // which mail program is the default
  Dialogs& dialogs;
};

// Sends the report at `report_path` to `state.email_address` through the mail client, or,
// where its application object is not installed, through the default mail program; then shows
// the success box. A message the user closed unsent in the mail program shows nothing. When
// the mail cannot go, shows one box instead that says so, why, and where the report is.
void SendOutlookMail(const MailServices& m, MailState& state, const std::string& report_path);

// The text of the box that says the mail was not sent: `reason`, then where the report is so
// that it can be attached by hand.
std::string MailNotSentText(const std::string& reason, const std::string& report_path);

}  // namespace torvel
