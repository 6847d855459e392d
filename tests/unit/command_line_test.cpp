// The command line: the switches in any order, spelling and letter case, the files they name, why
// a command line is refused; the lines the silent mode writes; the answer limit's setting.
#include "commands/command_line.h"

#include "unit/test_support.h"

namespace torvel::testing {

TEST(CommandLine, SwitchesTheirFilesOrWhyTheyAreRefused) {
  using enum RunMode;
  struct Case {
    std::vector<std::string> args;  // after the program's name
    RunMode mode;
    std::optional<std::string> report = {}, json = {};
    std::string problem = "";
    bool private_report = false;
  };
  // clang-format off
  const Case cases[] = {
      {{}, kWindow},
      {{"/report"}, kReport, ""},
      {{"-REPORT", "\\\\server\\share\\PC.htm"}, kReport, "\\\\server\\share\\PC.htm"},
      {{"/json", "j.json", "/Report", "r.htm"}, kReport, "r.htm", "j.json"},
      {{"/report", "/JSON"}, kReport, "", ""},
      {{"/private"}, kReport, "", {}, "", true},
      {{"/json", "j.json", "-PRIVATE", "/report"}, kReport, "", "j.json", "", true},
      {{"-Private", "/json"}, kReport, {}, "", "", true},
      {{"-?"}, kUsage},
      {{"/reports"}, kRefused, {}, {}, "Unknown switch \"/reports\"."},
      {{"/report", "/q"}, kRefused, {}, {}, "Unknown switch \"/q\"."},
      {{"/json", "a", "/json"}, kRefused, {}, {}, "The switch \"/json\" is given twice."},
      {{"/private", "/report", "-private"}, kRefused, {}, {},
       "The switch \"-private\" is given twice."},
      {{"/private", "r.htm"}, kRefused, {}, {}, "Unexpected argument \"r.htm\"."},
      {{"/report", "a", "b"}, kRefused, {}, {}, "Unexpected argument \"b\"."},
      {{"report.htm"}, kRefused, {}, {}, "Unexpected argument \"report.htm\"."},
      {{"/?", "x"}, kRefused, {}, {}, "Unexpected argument \"x\"."}};
  // clang-format on
  for (const Case& c : cases) {
    const CommandLine parsed = ParseCommandLine(c.args);
    SCOPED_TRACE(::testing::PrintToString(c.args));
    EXPECT_EQ(parsed.mode, c.mode);
    EXPECT_EQ(parsed.report, c.report);
    EXPECT_EQ(parsed.json, c.json);
    EXPECT_EQ(parsed.problem, c.problem);
    EXPECT_EQ(parsed.private_report, c.private_report);
  }
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
