#pragma once
// The label lines of the machine block: a label padded to 25 characters, then the value.
#include <string>
#include <string_view>

#include "text/text_forms.h"

namespace torvel {

inline constexpr std::size_t kLabelWidth = 25;

inline std::string LabelLine(std::string_view label, std::string_view value) {
  std::string line = PadLabel(label, kLabelWidth);
  line += value;
  return line;
}

}  // namespace torvel
