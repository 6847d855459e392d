// The command line: the switches in any order, spelling and letter case, the files they name, why
// a command line is refused; the lines the silent mode writes; the answer limit's setting.
#include "commands/command_line.h"

#include <iterator>
#include <sstream>

#include "unit/test_support.h"

namespace torvel::testing {

// Each command line of tests/expected/command_lines.txt, its words before "=>", gives what the
// line says after it.
TEST(CommandLine, SwitchesTheirFilesOrWhyTheyAreRefused) {
  constexpr const char* kModes[] = {"window", "report", "usage", "refused"};
  std::istringstream lines(ExpectedFile("command_lines.txt"));
  std::string transcript;
  for (std::string line; std::getline(lines, line);) {
    const std::string typed = line.substr(0, line.find("=> "));
    std::istringstream words(typed);
    const CommandLine c = ParseCommandLine({std::istream_iterator<std::string>(words), {}});
    transcript += typed + "=> " + kModes[int(c.mode)] +
                  (c.report ? " report[" + *c.report + "]" : "") +
                  (c.json ? " json[" + *c.json + "]" : "") + (c.private_report ? " private" : "") +
                  (c.problem.empty() ? "" : " " + c.problem) + "\n";
  }
  EXPECT_EQ(transcript, ExpectedFile("command_lines.txt"));
  EXPECT_EQ(RefusalLine(ParseCommandLine({"-x"})),
            "Unknown switch \"-x\". Usage: TORVELSupport.exe [/report [FILE]] [/json [FILE]] "
            "[/private] | /?");
  // A file dropped on the program's icon is no switch typed.
  EXPECT_FALSE(AnySwitch({"C:\\a -b.txt", "x/"}));
  EXPECT_TRUE(AnySwitch({"C:\\a.txt", "-"}));
  EXPECT_EQ(RedirectedLine("D:\\r.htm"),
            "The program's folder cannot be written to; the report is written to D:\\r.htm.");
}

TEST(CommandLine, TheAnswerLimitsSettingCanOnlyShortenIt) {
  const std::pair<const char*, unsigned long> limits[] = {
      {"5000", 5000},        {"1", 1},       {"60000", 60000}, {"0", 60000}, {"60001", 60000},
      {"4294967295", 60000}, {"12x", 60000}, {"", 60000}};
  for (auto [setting, limit] : limits) EXPECT_EQ(ShortenedLimit(setting, 60000), limit) << setting;
}

}  // namespace torvel::testing
