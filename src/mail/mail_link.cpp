#include "mail/mail_link.h"

#include "text/text_forms.h"

namespace torvel {

namespace {

constexpr std::string_view kScheme = "mailto:";

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithScheme(const std::string& address) {
  if (address.size() < kScheme.size()) return false;
  for (std::size_t i = 0; i < kScheme.size(); ++i) {
    if (AsciiLower(address[i]) != kScheme[i]) return false;
  }
  return true;
}

}  // namespace

std::string PercentEncode(std::string_view text) {
  std::string encoded;
  encoded.reserve(text.size() * 3);
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsUnreserved(c)) {
      encoded += ch;
    } else {
      encoded += '%' + HexByte(c);
    }
  }
  return encoded;
}

std::string BuildMailLink(const std::string& address, const std::string& subject,
                          const std::string& body) {
  std::string link = StartsWithScheme(address) ? address : std::string(kScheme) + address;
  // An address with a query of its own ("a@b?cc=c") gets the rest of its fields after "&".
  auto field = [&link](const char* name, const std::string& text) {
    if (text.empty()) return;
    link += link.find('?') == std::string::npos ? '?' : '&';
    link += name;
    link += PercentEncode(text);
  };
  field("subject=", subject);
  field("body=", body);
  return link;
}

void SendMailLink(Shell& shell, const std::string& address, const std::string& subject,
                  const std::string& body) {
  shell.Execute(0, "open", BuildMailLink(address, subject, body), "", "", kShow);
}

}  // namespace torvel
