// The number and text forms of the report with arbitrary numbers and bytes. Each form is read
// back and compared with what went in, so a form that loses or bends a value is caught, not
// only one that crashes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "fuzz_support.h"
#include "report/text_forms.h"

namespace torvel::fuzz {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// " " or "-" first, as the sign-position forms promise.
void RequireSignPosition(const std::string& text, bool negative) {
  Require(!text.empty() && text[0] == (negative ? '-' : ' '),
          "a sign-position form starts with a blank, or a minus sign when negative");
}

void CheckSignPosition(std::int64_t n) {
  const std::string text = SignPosition(n);
  RequireSignPosition(text, n < 0);
  Require(text.size() > 1 && text.find_first_not_of("0123456789", 1) == std::string::npos,
          "digits follow the sign position");
  Require(std::strtoll(text.c_str(), nullptr, 10) == n, "the number reads back unchanged");
  Require(PlainDecimal(n) == (n < 0 ? text : text.substr(1)), "the plain form has no blank");
}

void CheckSignPositionSingle(float value) {
  const std::string text = SignPositionSingle(value);
  if (std::isnan(value)) return Require(text == " NaN", "not a number is written as NaN");
  if (std::isinf(value)) return Require(text == (value > 0 ? " Inf" : "-Inf"), "infinities");
  RequireSignPosition(text, std::signbit(value));
  const std::size_t exponent = text.find('E');
  const std::string mantissa =
      text.substr(1, exponent == std::string::npos ? exponent : exponent - 1);
  Require(mantissa.rfind("0.", 0) != 0, "no zero before the point");
  const std::size_t first_significant = mantissa.find_first_of("123456789");
  std::size_t significant = 0;
  for (std::size_t i = first_significant; i < mantissa.size(); ++i)
    significant += IsDigit(mantissa[i]);
  Require(first_significant == std::string::npos || significant <= 7,
          "at most seven significant digits");
  if (exponent != std::string::npos) {
    Require(text.size() >= exponent + 4 && (text[exponent + 1] == '+' || text[exponent + 1] == '-'),
            "a signed exponent of two digits at least");
  }
  Require(exponent != std::string::npos || std::fabs(value) < 1e7F,
          "the exponent form from ten million up");
  // Seven significant digits keep the value to within half a unit of the seventh digit.
  const double back = std::strtod(text.c_str(), nullptr);
  Require(std::fabs(back - value) <= std::fabs(static_cast<double>(value)) * 5.0000001e-7 +
                                         std::numeric_limits<float>::denorm_min(),
          "the single-precision value reads back");
}

void CheckMegabyteForm(double megabytes) {
  const std::string text = MegabyteForm(megabytes);
  const long long whole = std::strtoll(text.c_str(), nullptr, 10);
  RequireSignPosition(text, whole < 0);
  Require(std::fabs(static_cast<double>(whole) - megabytes) <= 0.5, "rounded to the nearest");
  if (std::fabs(megabytes - std::trunc(megabytes)) == 0.5) {
    Require(std::fabs(static_cast<double>(whole)) > std::fabs(megabytes), "halves away from zero");
  }
}

void CheckPadLabel(const std::string& label, std::size_t width) {
  const std::string padded = PadLabel(label, width);
  Require(padded.size() == std::max(label.size(), width), "padded to the width, never cut");
  Require(padded.compare(0, label.size(), label) == 0, "the label is kept");
  Require(padded.find_first_not_of(' ', label.size()) == std::string::npos, "blanks after it");
}

void CheckEscapeHtml(const std::string& value) {
  const std::string escaped = EscapeHtml(value);
  Require(escaped.find_first_of("<>") == std::string::npos, "no raw \"<\" or \">\"");
  std::string back;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != '&') {
      back += escaped[i];
      continue;
    }
    const std::string_view rest = std::string_view(escaped).substr(i);
    if (rest.starts_with("&amp;")) {
      back += '&';
      i += 4;
    } else if (rest.starts_with("&lt;")) {
      back += '<';
      i += 3;
    } else if (rest.starts_with("&gt;")) {
      back += '>';
      i += 3;
    } else {
      Require(false, "every \"&\" starts an entity");
    }
  }
  Require(back == value, "the escaped text reads back unchanged");
}

}  // namespace
}  // namespace torvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvel::fuzz;
  FuzzedDataProvider in(data, size);
  CheckSignPosition(in.ConsumeIntegral<std::int64_t>());
  CheckSignPositionSingle(in.ConsumeFloatingPoint<float>());
  // The figures the resources block hands over: bytes of memory or disk in megabytes; and any
  // other figure of that size range, negative ones included.
  CheckMegabyteForm(static_cast<double>(in.ConsumeIntegral<std::uint64_t>()) / 1048576.0);
  CheckMegabyteForm(in.ConsumeFloatingPointInRange<double>(-1e15, 1e15));
  const std::size_t width = in.ConsumeIntegralInRange<std::size_t>(0, 80);
  const std::string text = in.ConsumeRemainingBytesAsString();
  CheckPadLabel(text, width);
  CheckEscapeHtml(text);
  return 0;
}
