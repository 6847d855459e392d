#include <algorithm>
#include <cstring>

#include "report/report_writer.h"
#include "unit/machine_test_support.h"

namespace torvel::testing {
namespace {

class MachineBlockTest : public MachineTest {
 protected:
  MachineBlockTest() {
    machine.files.exe_folder = "C:\\Program Files\\TORVEL";
    machine.identity.user_name = "jdoe";
    machine.identity.computer_name = "BENCH-PC";
    machine.identity.temp_path = "C:\\Temp\\";
    machine.identity.environment = {{"PATH", "C:\\Windows;C:\\Tools"}, {"TORVELK", "K:\\lib"}};
    machine.system.version = {10, 0, 19045, 2, {}};
    machine.system.processor = {586, 4};
    machine.system.memory = {8ull << 30, 5ull << 30, 12ull << 30};
    machine.system.disks = {{"C:\\", {256ull << 30, 100ull << 30}}};
    machine.system.screen = {1280 * 15, 1024 * 15, 15, 15};
    machine.system.device_caps = {{kCapsPlanes, 1}, {kCapsBitsPixel, 32}};
    machine.clock.ticks = 6000000;
  }

  // The lines from the user line to the TORVELK line that closes the block.
  std::vector<std::string> Block() {
    CollectReport(p, out);
    std::vector<std::string> lines = LinesOf(out);
    auto first = std::find_if(lines.begin(), lines.end(),
                              [](const std::string& l) { return l.starts_with("<pre>"); });
    auto last = std::find_if(lines.begin(), lines.end(),
                             [](const std::string& l) { return l.ends_with("</pre>"); });
    EXPECT_NE(last, lines.end());
    if (last == lines.end()) return {};
    return std::vector<std::string>(first, last + 1);
  }
};

TEST_F(MachineBlockTest, EveryLineInOrder) {
  const std::vector<std::string> expected = {
      "<pre>USER NAME:               jdoe",
      "COMPUTER NAME:           BENCH-PC",
      "Your system has been running for 1 hours and 40 minutes.",
      "Ethernet Address:        000C29ABCDEF",
      "IP Address:              192.168.0.5",
      "",
      "OPERATING SYSTEM:        Windows NT ",
      "VERSION:                 10.0",
      "BUILD:                   19045",
      "SERVICE PACK:            ",
      "PROCESSOR :              586",
      "NUMBER OF PROCESSOR :     4",
      "SYSTEM DATE :            12/6/2026 at 3:32:31 PM",
      "",
      "TOTAL PHYSICAL MEMORY:    8192 MB",
      "TOTAL AVAILABLE MEMORY:   5120 MB",
      "TOTAL PAGING MEMORY:      12288 MB",
      "TOTAL DISK SPACE:         262144 MB",
      "TOTAL FREE DISK SPACE:    102400 MB",
      "CURRENT DRIVE:            C:<br>",
      "SCREEN RESOLUTION:        1280 x  1024",
      "NUMBER OF COLORS:         4.294967E+09",
      "",
      "TEMPORARY DIRECTORY :    C:\\Temp\\",
      "PATH :                   C:\\Windows;C:\\Tools",
      "TORVELK :                K:\\lib</pre>",
  };
  EXPECT_EQ(Block(), expected);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(machine.network.open_startups, 0);
}

TEST_F(MachineBlockTest, AFailingCollectorLeavesTheRestOfTheReport) {
  machine.system.FailOn("Version", 5, "Invalid procedure call or argument");
  std::vector<std::string> block = Block();
  EXPECT_EQ(Boxes(), std::vector<std::string>{
                         "Stats.Form1.VersionInformation5Invalid procedure call or argument"});
  ASSERT_EQ(block.size(), 19u);
  EXPECT_EQ(block[5], "");
  EXPECT_EQ(block[6], "") << "the writer's empty line after the missing block";
  EXPECT_EQ(block[7], "TOTAL PHYSICAL MEMORY:    8192 MB");
  EXPECT_EQ(block.back(), "TORVELK :                K:\\lib</pre>");
  EXPECT_EQ(LinesOf(out).back(), "</body>");
}

}  // namespace
}  // namespace torvel::testing
