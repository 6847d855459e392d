#pragma once
// The product sections as data: each product's presence test, and the lines of its section:
// what the collector reads and under which label. How a line looks is the renderers' work.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace torvel {

// The products whose settings the report shows.
enum class Product { kFrame, kDraftPilot, kK, kElx, kAeroMesh, kKinema };

enum class LineKind {
  kEmpty,    // an empty line
  kHeading,  // a heading that stands alone
  kLeadIn,   // a heading that runs on into the label lines below it
  kNote,     // a remark that runs on into the label lines below it
  kLabel,    // a label, then its values; label lines in a row form a block
};

struct SectionLine {
  LineKind kind = LineKind::kEmpty;
  std::string text;                     // the heading, the note or the label
  std::size_t width = 0;                // the label's width, trailing blanks included
  std::string key;                      // key path of the line's values
  std::vector<std::string> names;       // value names, in the order shown
  std::vector<std::string> separators;  // separators[i] follows value i; none past the last given
};

struct ProductSection {
  Product product = Product::kFrame;
  std::string name;                       // the product's name
  RegRoot root = RegRoot::kLocalMachine;  // of the presence test and every value of the section
  std::string key;  // the presence test's key; ends in a backslash, as the product keys are tested
  // Whether the section opens with the product's heading; a product's second section goes on
  // under its first one's.
  bool product_heading = true;
  std::vector<SectionLine> lines;
  int presence_test = 0;  // when its presence test runs among the sections', from 0
};

// The sections in the order they are written.
const std::vector<ProductSection>& ProductSections();

}  // namespace torvel
