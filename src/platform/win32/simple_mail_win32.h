#pragma once
// Simple MAPI through Windows' mapi32.dll, loaded from the system folder for each send (never
// linked), so that the tool starts where it is missing and each send sees the current default
// mail program.
#include "platform/simple_mail.h"

namespace torvel {

class Win32SimpleMail : public SimpleMail {
 public:
  long SendWithAttachment(const std::string& recipient, const std::string& subject,
                          const std::string& body, const std::string& attachment_path,
                          const std::string& attachment_name) override;
};

}  // namespace torvel
