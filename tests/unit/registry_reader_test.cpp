// The registry reader on the fake registry: the case table that also runs on Wine's registry,
// and every key it opens closed again.
#include "expected/reader_cases.h"
#include "unit/test_support.h"

namespace torvel::testing {

TEST(RegistryReader, StatusesTextsNumbersAndDefaults) {
  Machine m(false);
  const std::string key = "Software\\TORVELSupportTests\\Reader";
  for (const expected::StoredValue& v : expected::ReaderValues())
    m.SetValue(kHkeyCurrentUser, key, v.name, v.type, v.bytes);
  for (const expected::ReadCase& c : expected::ReaderCases()) {
    SCOPED_TRACE(std::string(c.root) + c.below + " " + c.name + " " + c.kind);
    const std::size_t opens = m.opened.size();
    RegValue value = std::string("stale");
    EXPECT_EQ(ReadRegistryValue(m, c.root, key + c.below, c.name, c.kind, c.default_value, value),
              c.status);
    EXPECT_EQ(value, c.expected);
    // Every key opened is closed; an unknown root never reaches the registry.
    EXPECT_TRUE(m.handles.empty());
    EXPECT_EQ(m.opened.size() == opens, c.status == kStatusNoRoot);
  }
}

}  // namespace torvel::testing
