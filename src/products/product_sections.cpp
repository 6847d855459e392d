#include "products/product_sections.h"

#include <algorithm>
#include <numeric>
#include <variant>

#include "platform/registry_reader.h"

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
  std::vector<std::int32_t> presence(sections.size());
  for (std::size_t index : test_order) {
    RegValue unused;
    presence[index] = ReadRegistryValue(registry, sections[index].root, sections[index].key, "", "",
                                        std::string(), unused);
  }
  ProductFacts facts;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (presence[i] != 0) continue;
    SectionFacts section{sections[i], {}};
    for (const SectionLine& line : sections[i].lines) {
      for (const std::string& name : line.names) {
        if (section.Find(line.key, name)) continue;
        RegValue value;
        const std::int32_t status = ReadRegistryValue(registry, sections[i].root, line.key, name,
                                                      "S", std::string(), value);
        std::optional<std::string> text;
        if (status == 0) text = std::get<std::string>(value);
        section.values.push_back({sections[i].root, line.key, name, status, std::move(text)});
      }
    }
    facts.sections.push_back(std::move(section));
  }
  return facts;
}

}  // namespace torvel
