#pragma once
// The product sections as data: each product's presence test and heading, and the lines of its
// section: what the collector reads and how the report shows it.
#include <cstddef>
#include <string>
#include <vector>

namespace torvel {

// Where the report's product icons are loaded from; every product heading uses it.
inline constexpr char kIconBaseAddress[] = "http://support.example.com/";

enum class LineKind {
  kEmpty,    // an empty line
  kHeading,  // bold heading prefix + text
  kNote,     // text alone (a paragraph opening without closing tag)
  kLabel,    // label padded to width + values with separators + ending
};

// One line of a section. A label line that follows a line of another kind opens a block and
// carries the monospace block prefix.
struct SectionLine {
  LineKind kind = LineKind::kEmpty;
  std::string text;                     // heading or note text, or the label
  std::size_t width = 0;                // label width, trailing blanks included
  std::string key;                      // key path of the line's values
  std::vector<std::string> names;       // value names, in the order written
  std::vector<std::string> separators;  // written between the values (one fewer than names)
  std::string ending;                   // "<br>" or "</p>"
};

struct ProductSection {
  std::string presence_root;
  std::string presence_key;  // ends in a backslash, as the product keys are tested
  std::string icon;          // empty: the section has no product heading
  std::string name;          // the product's name
  std::string root;          // root of every value of the section
  std::vector<SectionLine> lines;
  int presence_test = 0;  // when its presence test runs among the sections', from 0
};

// The sections in the order they are written.
const std::vector<ProductSection>& ProductSections();

}  // namespace torvel
