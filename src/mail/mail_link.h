#pragma once
// The link road: a mailto link that opens a new message in whatever program handles such links.
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace torvel {

// Every byte other than letters, digits, "-", ".", "_" and "~" as "%" and two upper-case
// hexadecimal digits, so that a folder holding "&", "#" or "%", blanks and line breaks reach
// the mail program intact.
std::string PercentEncode(std::string_view text);

// "mailto:" (unless the address already starts with it, in any letter case), the address as
// typed, then "?subject=" and "body=" parts for the texts that are not empty, both encoded.
// The address is not encoded, so that one carrying its own "?cc=..." keeps working.
std::string BuildMailLink(const std::string& address, const std::string& subject,
                          const std::string& body);

// Hands the link to the program registered for mailto links; the shell's result is not
// examined (where nothing handles such links, nothing opens).
void SendMailLink(Shell& shell, const std::string& address, const std::string& subject,
                  const std::string& body);

}  // namespace torvel
