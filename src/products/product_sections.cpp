#include "products/product_sections.h"

#include <algorithm>
#include <numeric>

namespace torvel {

const ValueRead* SectionFacts::Find(const std::string& key, const std::string& name) const {
  for (const ValueRead& value : values) {
    if (value.key == key && value.name == name) return &value;
  }
  return nullptr;
}

ProductFacts RegistryValue(Registry& registry) {
  const std::vector<ProductSection>& sections = ProductSections();
  std::vector<std::size_t> test_order(sections.size());
  std::iota(test_order.begin(), test_order.end(), 0);
  std::sort(test_order.begin(), test_order.end(), [&](std::size_t a, std::size_t b) {
    return sections[a].presence_test < sections[b].presence_test;
  });
  std::vector<bool> present(sections.size());
  for (std::size_t index : test_order)
    present[index] = ReadRegistryValue(registry, sections[index].root, sections[index].key).found();
  ProductFacts facts;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (!present[i]) continue;
    SectionFacts section{sections[i], {}};
    for (const SectionLine& line : sections[i].lines) {
      for (const std::string& name : line.names) {
        if (section.Find(line.key, name)) continue;
        const RegRead<std::string> read =
            ReadRegistryValue<std::string>(registry, sections[i].root, line.key, name);
        std::optional<std::string> text;
        if (read.found()) text = read.value;
        section.values.push_back({sections[i].root, line.key, name, read.status, std::move(text)});
      }
    }
    facts.sections.push_back(std::move(section));
  }
  return facts;
}

}  // namespace torvel
