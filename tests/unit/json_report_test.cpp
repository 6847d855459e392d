// The JSON twin of the report: the fixture machine's facts as the expected file holds them, null
// for what could not be had, every problem listed, any text as the report shows it.
#include "report/json_report.h"

#include "report/facts.h"
#include "unit/test_support.h"

namespace torvel::testing {

// The expected file is checked against the schema and the registry fixture by ctest's
// expected_json_report.
TEST(JsonReport, TheFixtureMachineGivesTheExpectedFile) {
  Machine m;
  EXPECT_EQ(RenderJson(CollectFacts(m.sources(), m)), ExpectedFile("full_report.json"));
}

TEST(JsonReport, NullForWhatCouldNotBeHadAndEachProblemListed) {
  // A computer name of a tab, a quote, a backslash, an invalid byte and every control character,
  // which the JSON holds as the report does, each replaced, before its HTML escaping.
  std::string name = "\t\"\\\xFF";
  for (int c = 0; c < 0xA0; ++c) {
    if (c < 0x20 ? c == '\t' : c < 0x7F) continue;
    name += c < 0x80 ? std::string(1, char(c)) : std::string{char(0xC2), char(c)};
  }
  // A collector that fails, or sockets that do not start; both with the first product value of
  // the fixture missing and the host not installed: the fields null, each problem listed.
  for (auto [fault, file] : {std::pair{Fault{Op::kUserName, kThrow}, "no_user_name.json"},
                             {Fault{Op::kSocketsStart, kStatus}, "no_ip_address.json"}}) {
    Machine m;
    m.fail = fault;
    m.values.erase(m.values.begin());
    m.host_installed = false;
    m.computer_name = name;
    EXPECT_EQ(RenderJson(CollectFacts(m.sources(), m)), ExpectedFile(file)) << file;
  }
}

}  // namespace torvel::testing
