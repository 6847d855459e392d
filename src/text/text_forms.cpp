#include "text/text_forms.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/clean_text.h"

namespace torvel {

std::string PlainDecimal(std::int64_t n) { return std::to_string(n); }

std::string HexByte(std::uint8_t byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

std::string ErrorCodeText(long code) {
  const auto bits = static_cast<std::uint32_t>(code);
  std::string text = "error 0x";
  for (int shift = 24; shift >= 0; shift -= 8)
    text += HexByte(static_cast<std::uint8_t>(bits >> shift));
  return text;
}

std::string SignPosition(std::int64_t n) {
  std::string text(n >= 0 ? " " : "");
  text += std::to_string(n);
  return text;
}

std::string SignPositionSingle(float value) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value > 0 ? " Inf" : "-Inf";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
  std::string digits = buffer;
  // Exponents as two digits at least, whatever the C runtime prints ("E+007" -> "E+07").
  if (auto e = digits.find('E'); e != std::string::npos) {
    std::string mantissa = digits.substr(0, e + 2);
    std::string exponent = digits.substr(e + 2);
    while (exponent.size() > 2 && exponent.front() == '0') exponent.erase(0, 1);
    digits = mantissa + exponent;
  }
  bool negative = !digits.empty() && digits.front() == '-';
  if (negative) digits.erase(0, 1);
  if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
  return (negative ? "-" : " ") + digits;
}

std::string MegabyteForm(double megabytes) {
  // Kept inside the 64-bit range, so that no figure is undefined to convert.
  constexpr double kLimit = 9.2e18;
  if (std::isnan(megabytes)) megabytes = 0;
  return SignPosition(
      static_cast<std::int64_t>(std::round(std::clamp(megabytes, -kLimit, kLimit))));
}

std::string PadLabel(std::string_view label, std::size_t width) {
  std::string padded(label);
  if (padded.size() < width) padded.append(width - padded.size(), ' ');
  return padded;
}

std::string EscapeHtml(std::string_view raw) {
  const std::string value = CleanText(raw);
  std::string escaped;
  escaped.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

}  // namespace torvel
