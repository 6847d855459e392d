#pragma once
// Simple MAPI: the service through which Windows hands a message to whichever mail program is
// registered as the default, whatever program that is.
#include <string>

namespace torvel {

// MAPI's answers to a send: SUCCESS_SUCCESS, MAPI_USER_ABORT (the user closed the message
// unsent), MAPI_E_ATTACHMENT_NOT_FOUND, MAPI_E_UNKNOWN_RECIPIENT, MAPI_E_NOT_SUPPORTED.
inline constexpr long kMapiSuccess = 0;
inline constexpr long kMapiUserAbort = 1;
inline constexpr long kMapiAttachmentNotFound = 11;
inline constexpr long kMapiUnknownRecipient = 14;
inline constexpr long kMapiNotSupported = 26;

class SimpleMail {
 public:
  virtual ~SimpleMail() = default;
  // Hands the default mail program a message to `recipient` with the subject, the body and the
  // file at `attachment_path` attached as `attachment_name`; the program shows it to the user
  // to send. Returns the MAPI answer; kMapiNotSupported when the service itself is missing.
  // Where Windows has only the ANSI entry point, a text with no exact ANSI form is not sent:
  // kMapiUnknownRecipient for the recipient, kMapiAttachmentNotFound for a path that has none
  // even in its short (8.3) form, MAPI_E_INVALID_MESSAGE (17) for the other texts.
  virtual long SendWithAttachment(const std::string& recipient, const std::string& subject,
                                  const std::string& body, const std::string& attachment_path,
                                  const std::string& attachment_name) = 0;
};

}  // namespace torvel
