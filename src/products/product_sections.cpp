#include "products/product_sections.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <variant>
#include <vector>

#include "products/product_tables.h"
#include "platform/registry_reader.h"
#include "text/fragments.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

// A value of the sections: text, empty when it cannot be read; escaped for the report.
std::string SectionValue(Registry& registry, const std::string& root, const std::string& key,
                     const std::string& name) {
  RegValue value;
  ReadRegistryValue(registry, root, key, name, "S", std::string(), value);
  const std::string* text = std::get_if<std::string>(&value);
  return text != nullptr ? EscapeHtml(*text) : std::string();
}

std::string SectionLabelLine(Registry& registry, const std::string& root, const SectionLine& line,
                      bool opens_block) {
  std::string text = opens_block ? kMonospaceBlockPrefix : "";
  text += PadLabel(line.text, line.width);
  for (std::size_t i = 0; i < line.names.size(); ++i) {
    if (i > 0 && i - 1 < line.separators.size()) text += line.separators[i - 1];
    text += SectionValue(registry, root, line.key, line.names[i]);
  }
  return text + line.ending;
}

// The heading of a product section: its icon from the icon base address and its name.
std::string ProductHeading(const std::string& icon, const std::string& name) {
  return std::string("<h3><img src=\"") + kIconBaseAddress + "WebHelp/woda/" + icon + "\"> " +
         name + "</h3>";
}

void WriteSection(Registry& registry, const ProductSection& section, ReportStream& out) {
  if (!section.icon.empty()) {
    out.WriteEmptyLine();
    out.WriteLine(kSectionRule);
    out.WriteLine(ProductHeading(section.icon, section.name));
  }
  bool in_block = false;
  for (const SectionLine& line : section.lines) {
    switch (line.kind) {
      case LineKind::kEmpty:
        out.WriteEmptyLine();
        break;
      case LineKind::kHeading:
        out.WriteLine(std::string(kBoldHeadingPrefix) + line.text);
        break;
      case LineKind::kNote:
        out.WriteLine(line.text);
        break;
      case LineKind::kLabel:
        out.WriteLine(SectionLabelLine(registry, section.root, line, !in_block));
        break;
    }
    in_block = line.kind == LineKind::kLabel;
  }
}

}  // namespace

void WriteProductSections(Registry& registry, ReportStream& out) {
  const std::vector<ProductSection>& sections = ProductSections();
  std::vector<std::size_t> test_order(sections.size());
  std::iota(test_order.begin(), test_order.end(), 0);
  std::sort(test_order.begin(), test_order.end(), [&](std::size_t a, std::size_t b) {
    return sections[a].presence_test < sections[b].presence_test;
  });
  std::vector<bool> present(sections.size(), false);
  for (std::size_t index : test_order) {
    RegValue unused;
    present[index] = ReadRegistryValue(registry, sections[index].presence_root,
                                       sections[index].presence_key, "", "", std::string(),
                                       unused) == 0;
  }
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (present[i]) WriteSection(registry, sections[i], out);
  }
}

void RegistryValue(const Platform& p, ReportStream& out) { WriteProductSections(p.registry, out); }

}  // namespace torvel
