// The product sections written from a registry whose product keys hold values of any type, size
// and bytes, with any one registry call failing. The same registry with every "<", ">" and "&"
// of its values replaced gives the reference: the two reports must carry the same markup, so a
// value never reaches the report unescaped, and neither run leaves a key open.
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_registry.h"
#include "fuzz_support.h"
#include "products/product_sections.h"
#include "products/product_tables.h"
#include "products/registry_api.h"

namespace torvel::fuzz {
namespace {

using testing::FakeRegistry;

struct PlannedValue {
  RegKey root;
  std::string key;
  std::string name;
  std::uint32_t type;
  std::vector<std::uint8_t> bytes;
};

struct Plan {
  std::vector<std::pair<RegKey, std::string>> keys;
  std::vector<PlannedValue> values;
  int failing_call = 0;
  long fault_code = 0;
};

Plan ConsumePlan(FuzzedDataProvider& in) {
  Plan plan;
  for (const ProductSection& section : ProductSections()) {
    if (in.ConsumeBool())
      plan.keys.emplace_back(GetRootKey(section.presence_root), section.presence_key);
    for (const SectionLine& line : section.lines) {
      for (const std::string& name : line.names) {
        if (!in.ConsumeBool()) continue;
        plan.values.push_back(PlannedValue{GetRootKey(section.root), line.key, name,
                                           in.ConsumeIntegral<std::uint32_t>(),
                                           ConsumeValueBytes(in, 24, 64)});
      }
    }
  }
  if (in.ConsumeBool()) {
    plan.failing_call = in.ConsumeIntegralInRange(1, 400);
    constexpr long kCodes[] = {2, 5, 6, 234, 998};
    plan.fault_code = kCodes[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kCodes) - 1)];
  }
  return plan;
}

// The registry of `plan`; with `markup_free`, every "<", ">" and "&" of the values becomes "_".
void Fill(const Plan& plan, bool markup_free, FakeRegistry& registry) {
  for (const auto& [root, key] : plan.keys) registry.AddKey(root, key);
  for (PlannedValue value : plan.values) {
    if (markup_free) {
      for (std::uint8_t& byte : value.bytes) {
        if (byte == '<' || byte == '>' || byte == '&') byte = '_';
      }
    }
    registry.SetValue(value.root, value.key, value.name, value.type, std::move(value.bytes));
  }
  if (plan.failing_call != 0) registry.FailNthCall(plan.failing_call, plan.fault_code);
}

// The "&" that start none of the three entities EscapeHtml writes.
std::size_t BareAmpersands(const std::string& text) {
  return Count(text, "&") - Count(text, "&amp;") - Count(text, "&lt;") - Count(text, "&gt;");
}

}  // namespace
}  // namespace torvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvel;
  using namespace torvel::fuzz;
  FuzzedDataProvider in(data, size);
  const Plan plan = ConsumePlan(in);

  FakeRegistry registry;
  FakeRegistry reference_registry;
  Fill(plan, false, registry);
  Fill(plan, true, reference_registry);
  ReportStream report;
  ReportStream reference;
  WriteProductSections(registry, report);
  WriteProductSections(reference_registry, reference);

  Require(registry.open_keys() == 0, "every key opened by the sections is closed again");
  Require(registry.calls() == reference_registry.calls(),
          "the values' bytes do not steer the reads");
  Require(Count(report.text(), "<") == Count(reference.text(), "<"), "no raw \"<\" from a value");
  Require(Count(report.text(), ">") == Count(reference.text(), ">"), "no raw \">\" from a value");
  Require(BareAmpersands(report.text()) == BareAmpersands(reference.text()),
          "no raw \"&\" from a value");
  return 0;
}
