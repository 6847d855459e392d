#pragma once
// The one boundary between the tool's text (UTF-8 in std::string) and Windows' wide (UTF-16)
// calls. Invalid sequences become U+FFFD either way instead of being dropped.
#include <string>
#include <string_view>

namespace torvel {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace torvel
