#pragma once
// Text that is safe in any file the tool writes.
#include <cstdint>
#include <string>
#include <string_view>

namespace torvel {

// The length of the valid UTF-8 sequence that starts `text` and its code point; 0 when it is
// invalid (overlong, a surrogate, beyond U+10FFFF or cut short).
std::size_t Utf8Sequence(std::string_view text, std::uint32_t* code_point);

// `text` as valid UTF-8 without control characters: every invalid sequence, every C0 or C1
// control character but the tab, and DEL become U+FFFD.
std::string CleanText(std::string_view text);

}  // namespace torvel
