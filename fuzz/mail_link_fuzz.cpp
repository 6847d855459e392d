// The mailto link built from an arbitrary address, subject and body. The link is taken apart
// again: the address must come back as typed, behind exactly one scheme, and the subject and
// body must be made of unreserved characters and %XX only and decode to what went in.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "mail/mail_link.h"

namespace torvel::fuzz {
namespace {

bool IsUnreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;  // lower-case digits are not what the encoder writes
}

// Decodes `encoded`, requiring that it holds nothing but unreserved characters and %XX.
std::string Decode(std::string_view encoded) {
  std::string text;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    if (IsUnreserved(encoded[i])) {
      text += encoded[i];
      continue;
    }
    Require(encoded[i] == '%' && i + 2 < encoded.size() && HexValue(encoded[i + 1]) >= 0 &&
                HexValue(encoded[i + 2]) >= 0,
            "only unreserved characters and %XX with upper-case digits");
    text += static_cast<char>(HexValue(encoded[i + 1]) * 16 + HexValue(encoded[i + 2]));
    i += 2;
  }
  return text;
}

bool StartsWithSchemeAnyCase(std::string_view text) {
  constexpr std::string_view kScheme = "mailto:";
  if (text.size() < kScheme.size()) return false;
  for (std::size_t i = 0; i < kScheme.size(); ++i) {
    const char c =
        text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != kScheme[i]) return false;
  }
  return true;
}

}  // namespace
}  // namespace torvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvel;
  using namespace torvel::fuzz;
  FuzzedDataProvider in(data, size);
  const std::string address = in.ConsumeRandomLengthString(64);
  const std::string subject = in.ConsumeRandomLengthString(128);
  const std::string body = in.ConsumeRemainingBytesAsString();

  Require(Decode(PercentEncode(body)) == body, "the encoding reads back unchanged");

  const std::string link = BuildMailLink(address, subject, body);
  const std::string prefix = StartsWithSchemeAnyCase(address) ? address : "mailto:" + address;
  Require(link.compare(0, prefix.size(), prefix) == 0,
          "one scheme, added only when the address lacks it, then the address as typed");
  std::string_view rest = std::string_view(link).substr(prefix.size());
  if (!subject.empty()) {
    Require(rest.starts_with("?subject="), "the subject part first");
    rest.remove_prefix(9);
    const std::size_t end = rest.find('&');
    Require(Decode(rest.substr(0, end)) == subject, "the subject reads back unchanged");
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  }
  if (!body.empty()) {
    const std::string_view part = subject.empty() ? "?body=" : "&body=";
    Require(rest.starts_with(part), "the body part after the subject");
    rest.remove_prefix(part.size());
    Require(Decode(rest) == body, "the body reads back unchanged");
    rest = {};
  }
  Require(rest.empty(), "nothing after the body");
  return 0;
}
