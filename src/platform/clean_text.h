#pragma once
// Text that is safe in any file the tool writes.
#include <string>
#include <string_view>

namespace torvel {

// `text` as valid UTF-8 without control characters: every invalid sequence, every C0 or C1
// control character but the tab, and DEL become U+FFFD.
std::string CleanText(std::string_view text);

}  // namespace torvel
