#include "platform/clean_text.h"

#include <cstdint>

namespace torvel {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// The length of the valid UTF-8 sequence that starts `text` and its code point; 0 when it is
// invalid (overlong, a surrogate, beyond U+10FFFF or cut short).
std::size_t Utf8Sequence(std::string_view text, std::uint32_t* code_point) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80   ? 1
                             : lead < 0xC2 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
  if (length == 0 || length > text.size()) return 0;
  std::uint32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3F);
  }
  constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  *code_point = c;
  return length;
}

}  // namespace

std::string CleanText(std::string_view text) {
  std::string clean;
  clean.reserve(text.size());
  while (!text.empty()) {
    std::uint32_t c = 0;
    const std::size_t length = Utf8Sequence(text, &c);
    const bool control = c < 0x20 ? c != '\t' : (c == 0x7F || (c >= 0x80 && c <= 0x9F));
    if (length == 0 || control) {
      clean += kReplacement;
    } else {
      clean.append(text.substr(0, length));
    }
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return clean;
}

}  // namespace torvel
