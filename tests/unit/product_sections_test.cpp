// The product sections: a product's section whenever its key is there under its root, even with
// every value missing; the presence tests in their order; the 64-bit registry view read alike.
#include "products/product_sections.h"

#include <set>

#include "report/html_report.h"
#include "unit/test_support.h"

namespace torvel::testing {

TEST(ProductSections, ASectionForEachProductKeyUnderItsRootInTheOrderOfThePresenceTests) {
  auto portion = [](FakeRegistry& m) {
    ReportStream out;
    WriteProductSections(RegistryValue(m), out);
    return out.text();
  };
  Machine all, only64;
  only64.only_64_bit_view = true;
  EXPECT_EQ(portion(only64), portion(all));
  // The keys in the order they are tested, then the portion of each key alone under each root,
  // as tests/expected/product_portions.txt holds them.
  std::string transcript = "presence tests:\n";
  for (std::size_t i = 0; i < ProductSections().size(); ++i) transcript += all.opened[i] + "\n";
  std::set<std::string> keys;
  for (const ProductSection& section : ProductSections()) keys.insert(section.key);
  for (const std::string& key : keys) {
    for (const RegRoot root : {kHkcu, kHklm}) {
      FakeRegistry m;
      m.AddKey(root, key);
      transcript += "\n== " + std::string(RootName(root)) + "\\" + key + "\n" + portion(m);
    }
  }
  EXPECT_EQ(transcript, ExpectedFile("product_portions.txt"));
}

}  // namespace torvel::testing
