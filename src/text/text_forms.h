#pragma once
// The number and text forms of the report.
#include <cstdint>
#include <string>
#include <string_view>

namespace torvel {

// Digits with a minus sign when negative: 42, -7.
std::string PlainDecimal(std::int64_t n);
// One blank before a number of zero or more, a minus sign before a negative one: " 42", "-7".
std::string SignPosition(std::int64_t n);
// The same for a single-precision value: at most seven significant digits, exponent form from
// ten million up (" 1.677722E+07"), no leading zero before the point (" .5").
std::string SignPositionSingle(float value);
// A megabyte figure as the resources block writes it: rounded to a whole number, halves away
// from zero, in sign-position form.
std::string MegabyteForm(double megabytes);
// `label` padded with trailing blanks to `width` characters (never cut).
std::string PadLabel(std::string_view label, std::size_t width);
// Two upper-case hexadecimal digits: "0A".
std::string HexByte(std::uint8_t byte);
// An error code as users see it: "error 0x80004005".
std::string ErrorCodeText(long code);
// A value taken from the machine, safe in the report: "&", "<" and ">" escaped, and any
// control character or invalid sequence as U+FFFD.
std::string EscapeHtml(std::string_view value);

}  // namespace torvel
