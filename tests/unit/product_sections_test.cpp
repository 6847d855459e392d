// The product sections: a product's section whenever its key is there under its root, even with
// every value missing; the presence tests in their order; the 64-bit registry view read alike.
#include "products/product_sections.h"

#include "report/html_report.h"
#include "unit/test_support.h"

namespace torvel::testing {

TEST(ProductSections, ASectionForEachProductKeyUnderItsRootInTheOrderOfThePresenceTests) {
  struct Product {
    RegRoot root;
    std::string key;     // of the product's presence test
    std::size_t test;    // its place among the presence tests
    std::string marker;  // a text of the section's first line of its own,
    int below;           // that many lines under the section's start
  };
  // clang-format off
  const Product products[] = {
      {kHkcu, "Software\\VRAX\\TORVEL/FRAME", 0, "TFicon.jpg", 2},
      {kHklm, "Software\\VRAX\\TORVEL/FRAME", 1, "TORVELFrame 2004 and", 0},
      {kHklm, "Software\\VRAX\\DraftPilot", 2, "DPIcon.jpg", 2},
      {kHklm, "Software\\VRAX\\TORVEL/K", 3, "KIcon.jpg", 2},
      {kHklm, "Software\\VRAX\\TORVEL/ELX", 6, "ELXIcon.jpg", 2},
      {kHklm, "Software\\VRAX\\TORVELAeroMesh", 5, "TAEIcon.jpg", 2},
      {kHklm, "Software\\VRAX\\TORVELKinema", 4, "TKIcon.jpg", 2},
      {{}, "", 0, "Partwright Information", 2}};  // the end of the last
  // clang-format on
  const std::vector<std::string> report = ExpectedLines();
  auto start = [&](const Product* p) {
    return std::ranges::find_if(report, [&](auto& l) { return l.find(p->marker) != l.npos; }) -
           p->below;
  };
  auto portion = [](Machine& m) {
    ReportStream out;
    WriteProductSections(RegistryValue(m), out);
    return out.text();
  };
  Machine all, only64;
  only64.only_64_bit_view = true;
  EXPECT_EQ(portion(only64), portion(all));
  for (const Product* product = products; product + 1 < std::end(products); ++product) {
    EXPECT_EQ(all.opened.at(product->test), product->key + "\\");
    for (const RegRoot root : {kHkcu, kHklm}) {
      Machine m(false);  // the product key alone: every value missing
      m.AddKey(root, product->key);
      std::vector<std::string> want;
      for (const Product* p = products; p + 1 < std::end(products); ++p) {
        if (p->root == root && p->key == product->key) want.assign(start(p), start(p + 1));
      }
      ReadValuesAs("", want.begin(), want.end());
      EXPECT_EQ(portion(m), Joined(want)) << RootName(root) << "\\" << product->key;
    }
  }
}

}  // namespace torvel::testing
