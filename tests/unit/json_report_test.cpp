// The JSON twin of the report: the fixture machine's facts as the expected file holds them, null
// for what could not be had, every problem listed, any text as the report shows it.
#include "report/json_report.h"

#include "report/facts.h"
#include "unit/test_support.h"

namespace torvel::testing {

// The expected file is checked against the schema and the registry fixture by ctest's
// expected_json_report.
TEST(JsonReport, TheFixtureMachineGivesTheExpectedFile) {
  std::ifstream file(TORVEL_SOURCE_DIR "/tests/expected/full_report.json", std::ios::binary);
  Machine m;
  EXPECT_EQ(RenderJson(CollectFacts(m.sources(), m)),
            std::string(std::istreambuf_iterator(file), {}));
}

TEST(JsonReport, NullForWhatCouldNotBeHadAndEachProblemListed) {
  // A computer name of a tab, a quote, a backslash, an invalid byte and every control character,
  // which the JSON holds as the report does, each replaced, before its HTML escaping.
  std::string name = "\t\"\\\xFF", replaced = "\xEF\xBF\xBD";
  for (int c = 0; c < 0xA0; ++c) {
    if (c < 0x20 ? c == '\t' : c < 0x7F) continue;
    name += c < 0x80 ? std::string(1, char(c)) : std::string{char(0xC2), char(c)};
    replaced += "\xEF\xBF\xBD";
  }
  auto problem = [](std::string where, std::string error, std::string text) {
    return "\"where\": \"" + where + "\",\n      \"error\": \"" + error +
           "\",\n      \"text\": \"" + text + "\"";
  };
  // A collector that fails, or sockets that do not start; both with the first product value of
  // the fixture missing and the host not installed.
  struct Case {
    Fault fault;
    std::string null_field, problem;
  };
  for (const Case& c : {Case{{Op::kUserName, kThrow},
                             "user_name",
                             problem("UserName", "0x00000033", "Internal error")},
                        {{Op::kSocketsStart, kStatus},
                         "ip_address",
                         problem("LocalIpAddress", "0x0000276B",
                                 "The 32-bit Windows Socket is not responding.")}}) {
    Machine m;
    m.fail = c.fault;
    m.values.erase(m.values.begin());
    m.host_installed = false;
    m.computer_name = name;
    const std::string json = RenderJson(CollectFacts(m.sources(), m));
    for (const std::string& part :
         {"\"" + c.null_field + "\": null,", c.problem,
          "\"computer_name\": \"\\t\\\"\\\\" + replaced + "\",",
          std::string("\"name\": \"WORKPATHNAME\",\n          \"value\": null"),
          std::string("\"date_code\": null,\n    \"revision_number\": null,\n    \"reason\": "
                      "\"Partwright is not installed\""),
          problem("DateCode", "0x80040154", "Class not registered")}) {
      EXPECT_NE(json.find(part), std::string::npos) << part;
    }
  }
}

}  // namespace torvel::testing
