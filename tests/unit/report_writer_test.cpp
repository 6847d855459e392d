#include "report/report_writer.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "platform/failure.h"

namespace torvel {
namespace {

using testing::FakeMachine;

constexpr char kFolder[] = "C:\\Program Files\\TORVEL";
constexpr char kReport[] = "C:\\Program Files\\TORVEL\\TORVEL Info.htm";

// Splits a report at CR LF; a bare CR or LF anywhere fails the test.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare line break in: " << line;
    lines.push_back(line);
  }
  EXPECT_EQ(start, text.size()) << "the report does not end with CR LF";
  return lines;
}

class ReportWriterTest : public ::testing::Test {
 protected:
  ReportWriterTest() { machine.files.exe_folder = kFolder; }
  std::string Written() { return machine.files.files.at(kReport).content; }

  FakeMachine machine;
  Platform p = machine.platform();
};

TEST_F(ReportWriterTest, FrameAndHeaderAreExact) {
  WriteToFile(p);
  std::vector<std::string> lines = Lines(Written());
  const std::vector<std::string> head = {
      "<html>",
      "<head>",
      "<title>Information about TORVEL Products - TORVEL Support Tool Version 2.1.0</title>",
      "</head>",
      "<body>",
      "<h1 align=center>Information about TORVEL Products</h1>",
      "<h2 align=center>TORVEL Support Tool</h2>",
      "<h3 align=center>Version 2. 1. 0</h3>",
      "<h3 align=center>(C) TORVEL</h3>",
      "",
      "",
      "",
      "<p style=\"font-weight: bold; x-text-underline: normal;\">User and System Information:</p>",
      "",
  };
  ASSERT_GE(lines.size(), head.size());
  for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << "line " << i;
  EXPECT_EQ(lines.back(), "</body>");
}

TEST_F(ReportWriterTest, WriterLinesStandInOrderWithTheirLabels) {
  machine.clock.ticks = 6000000;
  WriteToFile(p);
  std::vector<std::string> lines = Lines(Written());
  // Each entry: the start of a line the writer writes itself, in the order it writes them.
  const std::vector<std::string> expected = {
      "Your system has been running for 1 hours and 40 minutes.",
      "Ethernet Address:        ",
      "IP Address:              ",
      "TEMPORARY DIRECTORY :    ",
      "PATH :                   ",
      "TORVELK :                ",
      "</body>",
  };
  std::size_t at = 0;
  for (const std::string& start : expected) {
    while (at < lines.size() && lines[at].rfind(start, 0) != 0) ++at;
    ASSERT_LT(at, lines.size()) << "missing or out of order: " << start;
    ++at;
  }
  auto torvelk = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("TORVELK :", 0) == 0;
  });
  ASSERT_NE(torvelk, lines.end());
  EXPECT_TRUE(torvelk->ends_with("</pre>")) << *torvelk;
  // The IP line is followed by an empty line that separates the network lines from the rest.
  auto ip = std::find_if(lines.begin(), lines.end(),
                         [](const std::string& line) { return line.rfind("IP Address:", 0) == 0; });
  ASSERT_NE(ip + 1, lines.end());
  EXPECT_EQ(*(ip + 1), "");
}

TEST_F(ReportWriterTest, ReportPathAddsTheNameWithoutLookingForASeparator) {
  EXPECT_EQ(ReportPath("C:\\Tools"), "C:\\Tools\\TORVEL Info.htm");
  EXPECT_EQ(ReportPath("C:\\"), "C:\\\\TORVEL Info.htm");
  EXPECT_EQ(ReportPath("\\\\server\\share"), "\\\\server\\share\\TORVEL Info.htm");
}

TEST_F(ReportWriterTest, EachRunLeavesExactlyItsOwnContentWhateverTheOldAttributes) {
  for (std::uint32_t attributes : {0u, kAttrHidden, kAttrSystem, kAttrHidden | kAttrSystem}) {
    machine.files.files[kReport] = {"old content that must vanish\r\n", attributes};
    WriteToFile(p);
    std::string first = Written();
    EXPECT_EQ(first.find("old content"), std::string::npos) << attributes;
    EXPECT_EQ(first.rfind("<html>\r\n", 0), 0u) << attributes;
    WriteToFile(p);
    EXPECT_EQ(Written(), first) << "a second run must replace, not append";
    EXPECT_EQ(machine.files.files.size(), 1u) << "no temporary file is left behind";
  }
}

TEST_F(ReportWriterTest, ReadOnlyReportFailsBeforeAnythingIsCollected) {
  machine.files.files[kReport] = {"previous", kAttrReadOnly};
  try {
    WriteToFile(p);
    FAIL() << "a read-only report must fail the run";
  } catch (const ReportFileError& e) {
    EXPECT_EQ(e.path(), kReport);
    EXPECT_EQ(e.code(), 5);
    EXPECT_EQ(e.reason(), "Error text 5.");
  }
  EXPECT_EQ(machine.files.files.at(kReport).content, "previous");
  EXPECT_TRUE(machine.shell.executed.empty());
  EXPECT_EQ(machine.files.files.size(), 1u);
}

TEST_F(ReportWriterTest, FileFailuresKeepThePreviousReportAndLeaveNoTemporaryFile) {
  struct Case {
    const char* operation;
    long code;
  } cases[] = {{"WriteWhole", 112}, {"WriteWhole", 5}, {"MoveReplacing", 32}, {"MoveReplacing", 5}};
  for (const Case& c : cases) {
    FakeMachine machine;
    machine.files.exe_folder = kFolder;
    machine.files.files[kReport] = {"previous", 0};
    machine.files.fail[c.operation] = c.code;
    Platform p = machine.platform();
    try {
      WriteToFile(p);
      ADD_FAILURE() << c.operation << " failing must fail the run";
    } catch (const ReportFileError& e) {
      EXPECT_EQ(e.code(), c.code) << c.operation;
      EXPECT_EQ(e.path(), kReport);
    }
    EXPECT_EQ(machine.files.files.at(kReport).content, "previous") << c.operation;
    EXPECT_EQ(machine.files.files.count(std::string(kReport) + ".tmp"), 0u) << c.operation;
  }
}

TEST_F(ReportWriterTest, WritesToAnyPathGiven) {
  WriteReportTo(p, "D:\\out\\report.htm");
  ASSERT_EQ(machine.files.files.count("D:\\out\\report.htm"), 1u);
  EXPECT_EQ(machine.files.files.count(kReport), 0u);
}

}  // namespace
}  // namespace torvel
