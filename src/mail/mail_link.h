#pragma once
// The link road: a new message in whatever program handles mailto links.
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace torvel {

// Every byte but the unreserved ones as "%XX", so that folders holding "&", "#", "%", blanks
// or line breaks reach the mail program intact.
std::string PercentEncode(std::string_view text);

// "mailto:" (unless the address has it already), the address as typed, so that one with its own
// "?cc=..." keeps working, then the subject and body fields that are not empty, encoded.
std::string BuildMailLink(const std::string& address, const std::string& subject,
                          const std::string& body);

// Hands the link to whatever program handles mailto links; where none does, nothing opens, and
// the result is not looked at.
void SendMailLink(Shell& shell, const std::string& address, const std::string& subject,
                  const std::string& body);

}  // namespace torvel
