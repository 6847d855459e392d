// The real tool's silent mode under Wine: the report of the machine fixture's registry with the
// host stand-in started by the tool, already running or missing, the machine's own figures, and
// the report file where it cannot be written.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "support/standin_server.h"
#include "support/ui_driver.h"

namespace {

// A path of the Unix side, through the drive that maps its root.
std::string Windows(std::string path) {
  for (char& c : path) c = c == '/' ? '\\' : c;
  return "Z:" + path;
}
const std::string kSource = TORVEL_SOURCE_DIR;

// From the first section rule to the end of the body.
std::string Sections(const std::string& report) {
  std::size_t from = report.find("<hr"), to = report.find("</body>");
  return from < to && to != std::string::npos ? report.substr(from, to - from) : "<no sections>";
}

// Puts `value` in place of the rest of the line that starts with `label`; returns what it said.
std::string Swap(std::string& text, const std::string& label, const std::string& value) {
  std::size_t at = text.find("\n" + label);
  if (at == std::string::npos) return "<no " + label + ">";
  at += 1 + label.size();
  std::size_t end = text.find("\r\n", at);
  std::string said = text.substr(at, end - at);
  return text.replace(at, end - at, value), said;
}

// Runs the tool silently; its exit code, 99 when it did not end in time.
DWORD RunSilent(const std::string& exe, const std::string& arguments, const std::string& folder,
                const std::string& errors = "") {
  bench::Process tool;
  DWORD code = 99;
  return tool.Start(exe, arguments, folder, errors) && tool.WaitExit(60000, &code) ? code : 99;
}

struct HostCase {
  const char* name;
  bool registered, running;
  const char* calls;  // what the stand-in was asked
};

class MachineReport : public ::testing::TestWithParam<HostCase> {
 protected:
  // The machine fixture's registry, imported as an installer would leave it; removed afterwards.
  static void SetUpTestSuite() {
    bench::Process regedit;
    ASSERT_TRUE(regedit.Start("C:\\windows\\regedit.exe",
                              "/S \"" + Windows(kSource + "/tests/fixtures/machine.reg") + "\"") &&
                regedit.WaitExit(bench::kWaitMs));
  }
  static void TearDownTestSuite() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      for (const char* key : {"Software\\VRAX", "Software\\Partwright"}) RegDeleteTreeA(root, key);
    }
  }
};

TEST_P(MachineReport, AsExpectedWithTheMachinesOwnFigures) {
  const HostCase& host_case = GetParam();
  // The host answers as the populated fake machine's host does.
  standin::Server host(standin::kHost, "DateCode=20060315\r\nRevisionNumber=14.0.1102\r\n",
                       host_case.registered);
  ASSERT_TRUE(host.ready());
  ASSERT_TRUE(!host_case.running || host.StartRunning());
  const std::string torvelk = "K:\\" + std::string(32763, 'k');  // the longest value there is
  ASSERT_TRUE(SetEnvironmentVariableA("TORVELK", torvelk.c_str()));
  const std::string folder = bench::MakeTempDir("report"), file = folder + "\\report.htm";
  ASSERT_EQ(RunSilent(bench::ToolExe(), "/report \"" + file + "\"", folder), 0u);
  const std::string report = bench::ReadWholeFile(file).value_or("");

  std::string actual = Sections(report),
              expected = Sections(
                  bench::ReadWholeFile(Windows(kSource + "/tests/expected/full_report.htm"))
                      .value_or(""));
  for (const char* label : {"<pre>Partwright Date Code:", "Partwright Revision Number:"}) {
    if (host_case.registered) break;
    Swap(expected, label, "");
    EXPECT_NE(Swap(actual, label, "").find(" not available: "), std::string::npos) << label;
  }
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(host.Calls(), host_case.calls);
  EXPECT_TRUE(bench::WaitUntil([&] { return standin::Server::Count() == host_case.running; }));

  // The true version (the manifest declares the tool fit for 10 and 11), memory beyond what a
  // 32-bit figure holds, the screen, and an environment value in full.
  const std::string meminfo = bench::ReadWholeFile("Z:\\proc\\meminfo").value_or(":0");
  const long megabytes = std::lround(std::atof(meminfo.c_str() + meminfo.find(':') + 1) / 1024);
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  for (const std::string& line :
       {std::string("VERSION:                 10.0\r\n"),
        "TOTAL PHYSICAL MEMORY:    " + std::to_string(megabytes) + " MB\r\n",
        "SCREEN RESOLUTION:        " + std::to_string(mode.dmPelsWidth) + " x  " +
            std::to_string(mode.dmPelsHeight) + "\r\n",
        "TORVELK :                " + torvelk + "</pre>\r\n"}) {
    EXPECT_NE(report.find("\n" + line), std::string::npos) << line.substr(0, 60);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Host, MachineReport,
    ::testing::Values(HostCase{"StartedByTheTool", true, false,
                               "Application.DateCode()\r\nApplication.RevisionNumber()\r\n"
                               "Application.ExitApp()\r\n"},
                      HostCase{"AlreadyRunning", true, true,
                               "Application.DateCode()\r\nApplication.RevisionNumber()\r\n"},
                      HostCase{"NotRegistered", false, false, ""}),
    [](const auto& info) { return info.param.name; });

TEST(ReportFile, NotWritableKeepsTheOldReportAndSaysSoOnce) {
  for (DWORD sharing : {DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}, DWORD{0}}) {
    SCOPED_TRACE(sharing ? "read-only" : "held open by another program");
    const std::string folder = bench::MakeTempDir("blocked"), file = folder + "\\report.htm";
    const std::string errors = bench::MakeTempDir("errors") + "\\stderr.txt";
    ASSERT_TRUE(bench::WriteWholeFile(file, "previous report\r\n"));
    SetFileAttributesA(file.c_str(), sharing ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, 0);
    EXPECT_NE(RunSilent(bench::ToolExe(), "/report \"" + file + "\"", folder, errors), 0u);
    CloseHandle(held);
    const std::string said = bench::ReadWholeFile(errors).value_or("");
    EXPECT_TRUE(!said.empty() && said.find('\n') == said.size() - 1) << said;
    EXPECT_EQ(bench::ReadWholeFile(file).value_or(""), "previous report\r\n");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    int files = 0;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
      files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    FindClose(search);
    EXPECT_EQ(files, 1) << "a temporary file was left beside the report";
  }
}

TEST(ReportFile, BesideTheToolAtADriveRoot) {
  // T: is an empty folder of the build (scripts/wine-prefix-setup).
  ASSERT_TRUE(CopyFileA(bench::ToolExe().c_str(), "T:\\TORVELSupport.exe", FALSE));
  DeleteFileA("T:\\TORVEL Info.htm");
  EXPECT_EQ(RunSilent("T:\\TORVELSupport.exe", "/report", "T:\\"), 0u);
  EXPECT_NE(Sections(bench::ReadWholeFile("T:\\TORVEL Info.htm").value_or("")), "<no sections>");
  DeleteFileA("T:\\TORVEL Info.htm");
  DeleteFileA("T:\\TORVELSupport.exe");
}

}  // namespace
