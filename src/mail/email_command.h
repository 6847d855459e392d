#pragma once
// The e-mail command: checks the recipient, writes a fresh report and sends it.
#include <string>

#include "platform/platform.h"

namespace torvel {

// What the mail roads keep for the rest of the run: the mail client's application object.
struct MailState {
  AutomationRef client;
};

// `recipient` is the whole text of the recipient field.
void EmailCommand(const Platform& p, WindowRef owner, const std::string& recipient,
                  MailState& state);

}  // namespace torvel
