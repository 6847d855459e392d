#include <cmath>

#include "machine/resources.h"
#include "unit/machine_test_support.h"

namespace torvel::testing {
namespace {

constexpr std::uint64_t kMiB = 1048576;

class SystemInformationTest : public MachineTest {
 protected:
  std::vector<std::string> Collect() { return Run(SystemInformation); }
};

TEST_F(SystemInformationTest, WritesTheEightLinesInOrder) {
  machine.files.exe_folder = "D:\\Tools\\TORVEL";
  machine.system.memory = {3221225472ull, 1000 * kMiB + kMiB / 2, 1536 * kMiB};
  machine.system.disks = {{"D:\\", {2ull << 40, 1234 * kMiB + kMiB / 3}}};
  machine.system.screen = {1280 * 15, 1024 * 15, 15, 15};
  machine.system.device_caps = {{kCapsPlanes, 1}, {kCapsBitsPixel, 16}};
  const std::vector<std::string> expected = {
      "TOTAL PHYSICAL MEMORY:    3072 MB",
      "TOTAL AVAILABLE MEMORY:   1001 MB",  // halves round away from zero
      "TOTAL PAGING MEMORY:      1536 MB",      "TOTAL DISK SPACE:         2097152 MB",
      "TOTAL FREE DISK SPACE:    1234 MB",      "CURRENT DRIVE:            D:<br>",
      "SCREEN RESOLUTION:        1280 x  1024", "NUMBER OF COLORS:         65536",
  };
  EXPECT_EQ(Collect(), expected);
  EXPECT_EQ(machine.system.disk_queries, std::vector<std::string>{"D:\\"});
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(SystemInformationTest, MemoryBeyondThirtyTwoBitsIsReportedInFull) {
  machine.system.memory = {24ull << 30, 23ull << 30, 48ull << 30};
  std::vector<std::string> lines = Collect();
  EXPECT_EQ(lines[0], "TOTAL PHYSICAL MEMORY:    24576 MB");
  EXPECT_EQ(lines[1], "TOTAL AVAILABLE MEMORY:   23552 MB");
  EXPECT_EQ(lines[2], "TOTAL PAGING MEMORY:      49152 MB");
}

TEST_F(SystemInformationTest, DriveRootAndDiskLinesFollowTheToolsFolder) {
  struct Case {
    const char* folder;
    const char* root;
    const char* total;
    const char* free;
    const char* drive;
  } cases[] = {
      {"D:\\Tools", "D:\\", " 4096 MB", " 1024 MB", "D:<br>"},
      {"C:\\", "C:\\", " 4096 MB", " 1024 MB", "C:<br>"},
      // A network folder: the query on "\\" fails and shows 0 MB.
      {"\\\\server\\share\\TORVEL", "\\\\", " 0 MB", " 0 MB", "\\\\<br>"},
      {"E:", "E:\\", " 0 MB", " 0 MB", "E:<br>"},  // a drive that does not answer
      {"Q ", "Q\\", " 0 MB", " 0 MB", "Q\\<br>"},
  };
  for (const Case& c : cases) {
    FakeMachine machine;
    machine.files.exe_folder = c.folder;
    machine.system.disks = {{"C:\\", {4096 * kMiB, 1024 * kMiB}},
                            {"D:\\", {4096 * kMiB, 1024 * kMiB}}};
    Platform p = machine.platform();
    ReportStream out;
    SystemInformation(p, out);
    std::vector<std::string> lines = LinesOf(out);
    ASSERT_EQ(lines.size(), 8u) << c.folder;
    EXPECT_EQ(DriveRoot(c.folder), c.root);
    EXPECT_EQ(machine.system.disk_queries, std::vector<std::string>{c.root});
    EXPECT_EQ(lines[3], std::string("TOTAL DISK SPACE:        ") + c.total) << c.folder;
    EXPECT_EQ(lines[4], std::string("TOTAL FREE DISK SPACE:   ") + c.free) << c.folder;
    EXPECT_EQ(lines[5], std::string("CURRENT DRIVE:            ") + c.drive) << c.folder;
  }
}

TEST_F(SystemInformationTest, FailedDiskQueryNeverShowsAnEarlierRunsFigures) {
  machine.files.exe_folder = "D:\\Tools";
  machine.system.disks = {{"D:\\", {4096 * kMiB, 1024 * kMiB}}};
  EXPECT_EQ(Collect()[3], "TOTAL DISK SPACE:         4096 MB");
  machine.system.disks.clear();
  std::vector<std::string> second = Collect();
  EXPECT_EQ(second[3], "TOTAL DISK SPACE:         0 MB");
  EXPECT_EQ(second[4], "TOTAL FREE DISK SPACE:    0 MB");
}

TEST_F(SystemInformationTest, ColoursFollowPlanesTimesBitsPerPixel) {
  struct Case {
    int planes;
    int bits;
    const char* line;
  } cases[] = {
      {1, 1, "NUMBER OF COLORS:         2"},
      {1, 8, "NUMBER OF COLORS:         256"},
      {1, 16, "NUMBER OF COLORS:         65536"},
      {1, 24, "NUMBER OF COLORS:         1.677722E+07"},
      {1, 32, "NUMBER OF COLORS:         4.294967E+09"},
      {4, 4, "NUMBER OF COLORS:         65536"},
      {0, 0, "NUMBER OF COLORS:         1"},
  };
  for (const Case& c : cases) {
    machine.system.device_caps = {{kCapsPlanes, c.planes}, {kCapsBitsPixel, c.bits}};
    EXPECT_EQ(Collect().at(7), c.line);
  }
}

TEST_F(SystemInformationTest, ResolutionFromTwips) {
  struct Case {
    ScreenMetrics screen;
    const char* line;
  } cases[] = {
      {{1280 * 15, 1024 * 15, 15, 15}, "SCREEN RESOLUTION:        1280 x  1024"},
      {{1024 * 15, 768 * 15, 15, 15}, "SCREEN RESOLUTION:        1024 x  768"},
      {{1920 * 12, 1080 * 12, 12, 12}, "SCREEN RESOLUTION:        1920 x  1080"},  // 120 dpi
      // 192 dpi: 7.5 twips per pixel must not be rounded to 8 first.
      {{3840 * 7.5, 2160 * 7.5, 7.5, 7.5}, "SCREEN RESOLUTION:        3840 x  2160"},
  };
  for (const Case& c : cases) {
    machine.system.screen = c.screen;
    EXPECT_EQ(Collect().at(6), c.line);
  }
}

TEST_F(SystemInformationTest, FailuresShowOneBoxAndKeepTheLinesAlreadyWritten) {
  struct Case {
    const char* operation;
    std::size_t lines_kept;
  } cases[] = {{"Memory", 0}, {"DiskSpace", 0}, {"Screen", 6}, {"DeviceCaps", 7}};
  for (const Case& c : cases) {
    FakeMachine machine;
    machine.system.FailOn(c.operation, 5, "Invalid procedure call or argument");
    Platform p = machine.platform();
    ReportStream out;
    SystemInformation(p, out);
    EXPECT_EQ(LinesOf(out).size(), c.lines_kept) << c.operation;
    ASSERT_EQ(machine.dialogs.shown.size(), 1u) << c.operation;
    EXPECT_EQ(machine.dialogs.shown[0].text,
              "Stats.Form1.SystemInformation5Invalid procedure call or argument");
  }
}

TEST_F(SystemInformationTest, ImpossibleDisplayFiguresAreCollectorFailures) {
  struct Case {
    ScreenMetrics screen;
    std::map<int, int> caps;
    const char* box;
  } cases[] = {
      {{15360, 11520, 0, 15},
       {{kCapsPlanes, 1}, {kCapsBitsPixel, 8}},
       "Stats.Form1.SystemInformation11Division by zero"},
      {{15360, 11520, 15, 15},
       {{kCapsPlanes, 1}, {kCapsBitsPixel, 200}},
       "Stats.Form1.SystemInformation6Overflow"},
  };
  for (const Case& c : cases) {
    FakeMachine machine;
    machine.system.screen = c.screen;
    machine.system.device_caps = c.caps;
    Platform p = machine.platform();
    ReportStream out;
    SystemInformation(p, out);
    ASSERT_EQ(machine.dialogs.shown.size(), 1u);
    EXPECT_EQ(machine.dialogs.shown[0].text, c.box);
  }
}

}  // namespace
}  // namespace torvel::testing
