#include "mail/email_command.h"

namespace torvel {

void EmailCommand(const Platform&, WindowRef, const std::string&, MailState&) {}

}  // namespace torvel
