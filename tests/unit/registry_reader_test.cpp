// The registry reader on the fake registry: the case table that also runs on Wine's registry,
// and every key it opens closed again.
#include "expected/reader_cases.h"
#include "unit/test_support.h"

namespace torvel::testing {

TEST(RegistryReader, StatusesTextsAndNumbers) {
  FakeRegistry m;
  const std::string key = "Software\\TORVELSupportTests\\Reader";
  for (const expected::StoredValue& v : expected::ReaderValues())
    m.SetValue(kHkcu, key, v.name, v.type, v.bytes);
  EXPECT_EQ(expected::ReadOutcomes(m, key), ExpectedFile("reader_outcomes.txt"));
  EXPECT_TRUE(m.handles.empty());  // every key opened is closed again
}

}  // namespace torvel::testing
