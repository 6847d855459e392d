#pragma once
// The product sections' facts: which products are installed, and every value their sections
// read, as read.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_reader.h"
#include "products/product_tables.h"

namespace torvel {

struct ValueRead {
  RegRoot root = RegRoot::kLocalMachine;
  std::string key;
  std::string name;
  ReadStatus status = ReadStatus::kNotFound;
  std::optional<std::string> text;  // none when it could not be read
};

// A section whose product is installed: its row of the product tables (which product, and what
// each line shows) and the distinct values it reads, in the order first read.
struct SectionFacts {
  ProductSection section;
  std::vector<ValueRead> values;
  // The value of `name` under `key`, or null when the section does not read it.
  const ValueRead* Find(const std::string& key, const std::string& name) const;
};

struct ProductFacts {
  std::vector<SectionFacts> sections;  // the installed ones, in the order they are written
};

// Runs the presence tests in their order, then reads what each installed section names.
ProductFacts RegistryValue(Registry& registry);

}  // namespace torvel
