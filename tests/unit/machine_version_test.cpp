#include <cstring>

#include "machine/os_version.h"
#include "unit/machine_test_support.h"

namespace torvel::testing {
namespace {

class VersionInformationTest : public MachineTest {
 protected:
  std::vector<std::string> Collect() { return Run(VersionInformation); }
};

TEST_F(VersionInformationTest, WritesTheSevenLinesInOrder) {
  machine.system.version = {5, 1, 2600, 2, {}};
  std::strcpy(machine.system.version.service_pack.data(), "Service Pack 3");
  machine.system.processor = {586, 1};
  machine.system.date = "6/12/2026";
  machine.system.time = "3:32:31 PM";
  const std::vector<std::string> expected = {
      "OPERATING SYSTEM:        Windows NT ",
      "VERSION:                 5.1",
      "BUILD:                   2600",
      "SERVICE PACK:            Service Pack 3",
      "PROCESSOR :              586",
      "NUMBER OF PROCESSOR :     1",
      "SYSTEM DATE :            6/12/2026 at 3:32:31 PM",
  };
  EXPECT_EQ(Collect(), expected);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(VersionInformationTest, RecordFieldsBecomeTheirTexts) {
  struct Case {
    OsVersionRecord record;
    const char* system;
    const char* version;
    const char* build;
  } cases[] = {
      {{4, 10, 0x040A08AE, 1, {}}, "Windows95 ", "4.10", "2222"},  // high word: 4.10
      {{10, 0, 22631, 2, {}}, "Windows NT ", "10.0", "22631"},
      {{6, 2, 9200, 3, {}}, "", "6.2", "9200"},
      {{0, 0, 0, 0, {}}, "", "0.0", "0"},  // a call that filled nothing
      {{10, 0, 0xFFFF0001, 2, {}}, "Windows NT ", "10.0", "1"},
  };
  for (const Case& c : cases) {
    machine.system.version = c.record;
    std::vector<std::string> lines = Collect();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], std::string("OPERATING SYSTEM:        ") + c.system);
    EXPECT_EQ(lines[1], std::string("VERSION:                 ") + c.version);
    EXPECT_EQ(lines[2], std::string("BUILD:                   ") + c.build);
    EXPECT_EQ(lines[3], "SERVICE PACK:            ") << "no service pack: nothing after the label";
  }
}

TEST_F(VersionInformationTest, ServicePackFieldWithoutNulGivesEmptyText) {
  machine.system.version.service_pack.fill('S');
  EXPECT_EQ(Collect()[3], "SERVICE PACK:            ");
}

TEST_F(VersionInformationTest, ServicePackAndDateAreEscaped) {
  std::strcpy(machine.system.version.service_pack.data(), "SP<1>&");
  machine.system.time = "15<32";
  std::vector<std::string> lines = Collect();
  EXPECT_EQ(lines[3], "SERVICE PACK:            SP&lt;1&gt;&amp;");
  EXPECT_EQ(lines[6], "SYSTEM DATE :            12/6/2026 at 15&lt;32");
}

TEST_F(VersionInformationTest, ProcessorTypeAndCount) {
  struct Case {
    ProcessorRecord record;
    const char* processor;
    const char* count;
  } cases[] = {
      {{386, 1}, "PROCESSOR :              386", "NUMBER OF PROCESSOR :     1"},
      {{486, 2}, "PROCESSOR :              486", "NUMBER OF PROCESSOR :     2"},
      {{586, 1}, "PROCESSOR :              586", "NUMBER OF PROCESSOR :     1"},
      {{8664, 2}, "PROCESSOR :              586", "NUMBER OF PROCESSOR :     2"},
      {{2200, 64}, "PROCESSOR :              586", "NUMBER OF PROCESSOR :     64"},
  };
  for (const Case& c : cases) {
    machine.system.processor = c.record;
    std::vector<std::string> lines = Collect();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], c.processor);
    EXPECT_EQ(lines[5], c.count);
  }
}

TEST_F(VersionInformationTest, FailureShowsOneBoxAndLeavesTheBlockOut) {
  for (const char* operation : {"Version", "Processor", "DateText", "TimeText"}) {
    FakeMachine machine;
    machine.system.FailOn(operation, 5, "Invalid procedure call or argument");
    Platform p = machine.platform();
    ReportStream out;
    out.WriteLine("before");
    VersionInformation(p, out);
    EXPECT_EQ(LinesOf(out), std::vector<std::string>{"before"}) << operation;
    ASSERT_EQ(machine.dialogs.shown.size(), 1u) << operation;
    EXPECT_EQ(machine.dialogs.shown[0].text,
              "Stats.Form1.VersionInformation5Invalid procedure call or argument");
  }
}

}  // namespace
}  // namespace torvel::testing
