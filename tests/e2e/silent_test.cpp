// The real tool's silent mode under Wine: the report on the machine fixture's registry with the
// host started, running or missing, private, the report file where it cannot be written, and
// the tool started with no console.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/standin_server.h"
#include "support/unix_shell.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The source tree, through the drive that maps the Unix root.
const std::string kSource = std::string("Z:") + TORVEL_SOURCE_DIR;

// From the first section rule to the end of the body.
std::string Sections(const std::string& report) {
  std::size_t from = report.find("<hr"), to = report.find("</body>");
  return from < to && to != std::string::npos ? report.substr(from, to - from) : "<no sections>";
}

// The number after `label` in the machine block; NaN, failing every comparison, without the line.
double Figure(const std::string& report, const std::string& label) {
  const std::size_t at = report.find("\n" + label);
  return at == std::string::npos || at + 26 > report.size() ? std::nan("")
                                                            : std::atof(report.c_str() + at + 26);
}

// The machine fixture's registry, imported as an installer would leave it; removed afterwards.
class MachineReport : public ::testing::Test {
 protected:
  void SetUp() override {
    bench::Process regedit;
    ASSERT_TRUE(regedit.Start("C:\\windows\\regedit.exe",
                              "/S \"" + kSource + "/tests/fixtures/machine.reg\"") &&
                regedit.WaitExit(bench::kWaitMs));
  }
  void TearDown() override {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      for (const char* key : {"Software\\VRAX", "Software\\Partwright"}) RegDeleteTreeA(root, key);
    }
  }
};

TEST_F(MachineReport, AsExpectedWithTheHostStartedRunningOrMissing) {
  const std::string full =
      bench::ReadWholeFile(kSource + "/tests/expected/full_report.htm").value_or("");
  const std::string asked = "Application.DateCode()\r\nApplication.RevisionNumber()\r\n";
  // Not registered, the tool also runs from a drive root (T:, an empty folder of the build), and
  // writes a private report: nothing of the names and addresses that the earlier runs read.
  // Started by the tool, it runs from a folder outside the system's code page (1252). The user's
  // date form and the longest environment value hold characters outside it too.
  ASSERT_EQ(GetACP(), 1252u);
  wchar_t form[80];  // the user's own, put back afterwards
  ASSERT_TRUE(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, form, 80) &&
              SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, L"d'·'MM'·'yyyy 'г.'"));
  auto today = [] {  // the system's date text, asked for as the tool asks
    wchar_t date[80];
    int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 80);
    return bench::U(std::wstring(date, length > 0 ? length - 1 : 0));
  };
  const std::string kays(32754, 'k'), torvelk = "Ёлка ü € <x>" + kays;  // 32766 UTF-16 units
  ASSERT_TRUE(SetEnvironmentVariableW(L"TORVELK", bench::W(torvelk).c_str()));
  for (auto [registered, running, calls] :
       {std::tuple{true, false, asked + "Application.ExitApp()\r\n"},
        {true, true, asked},
        {false, false, std::string()}}) {
    SCOPED_TRACE(registered ? running ? "already running" : "started by the tool"
                            : "not registered");
    // The host answers as the populated fake machine's host does.
    standin::Server host(standin::kHost, "DateCode=20060315\r\nRevisionNumber=14.0.1102\r\n",
                         registered);
    ASSERT_TRUE(host.ready() && (!running || host.StartRunning()));
    const std::string folder =
        !registered ? "T:" : bench::MakeTempDir("report") + (running ? "" : "\\Тест Ünï & Co");
    CreateDirectoryW(bench::W(folder).c_str(), nullptr);
    const std::string before = today();
    const std::string file = folder + "\\TORVEL Info.htm";
    DeleteFileA(file.c_str());
    // One run writes both, the JSON where the schema check after this test finds it.
    const std::string json = bench::BinDir() + "\\..\\json\\" +
                             (registered ? running ? "running" : "started" : "missing") + ".json";
    CreateDirectoryW(bench::W(bench::BinDir() + "\\..\\json").c_str(), nullptr);
    DeleteFileW(bench::W(json).c_str());
    const bool hidden = !registered;
    ASSERT_EQ(
        bench::Run(bench::CopyToolInto(folder),
                   "/report /json \"" + json + "\"" + (hidden ? " -PRIVATE" : ""), folder + "\\"),
        0u);
    const std::string report = bench::ReadWholeFile(file).value_or(""),
                      twin = bench::ReadWholeFile(json).value_or("");
    // The machine's own names, as Wine gives them to every program, or their stand-ins (what else
    // a private report replaces is checked on the fake machine).
    for (auto [name, real, stand_in] : {std::tuple{"user_name", "USERNAME", "user1"},
                                        {"computer_name", "COMPUTERNAME", "computer1"}}) {
      const std::string member = "\"" + std::string(name) + "\": \"";
      EXPECT_NE(twin.find(member + (hidden ? stand_in : getenv(real)) + "\""), std::string::npos);
    }
    EXPECT_EQ(report.find("(private report).") != std::string::npos, hidden);
    EXPECT_EQ(twin.find("\"private\": true,") != std::string::npos, hidden);

    std::string actual = Sections(report), expected = Sections(full);
    if (!registered) {  // no answers, and still a complete report
      EXPECT_NE(report.find("Date Code:       not available: Partwright is not installed (error "
                            "0x800401F3)"),
                std::string::npos);
      EXPECT_TRUE(report.ends_with(full.substr(std::min(full.find("(NOTE:"), full.size()))));
      actual = actual.substr(0, actual.find("<pre>Partwright"));
      expected = expected.substr(0, expected.find("<pre>Partwright"));
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(host.Calls(), calls);
    EXPECT_TRUE(bench::WaitUntil([running] { return standin::Server::Count() == running; }));

    // The true version (the manifest declares the tool fit for 10 and 11), memory beyond what a
    // 32-bit figure holds, and an environment value in full.
    const std::string meminfo = bench::ReadWholeFile("Z:\\proc\\meminfo").value_or("");
    auto kilobytes = [&](const std::string& name) {
      const std::size_t at = meminfo.find(name + ":");
      return at == std::string::npos ? -1.0 : std::atof(meminfo.c_str() + at + name.size() + 1);
    };
    const long megabytes = std::lround(kilobytes("MemTotal") / 1024);
    // Paging is what memory and swap hold together.
    const long paging = std::lround((kilobytes("MemTotal") + kilobytes("SwapTotal")) / 1024);
    for (const std::string& line :
         {std::string("VERSION:                 10.0\r\n"),
          "TOTAL PHYSICAL MEMORY:    " + std::to_string(megabytes) + " MB",
          "TOTAL PAGING MEMORY:      " + std::to_string(paging) + " MB",
          "TORVELK :                Ёлка ü € &lt;x&gt;" + kays + "</pre>\r\n"}) {
      EXPECT_NE(report.find("\n" + line), std::string::npos) << line.substr(0, 60);
    }
    // Nothing raw in the report, and figures that can be true.
    EXPECT_EQ(report.find('\0'), std::string::npos);
    EXPECT_EQ(report.find("XXXX"), std::string::npos);
    EXPECT_LE(Figure(report, "TOTAL AVAILABLE MEMORY:"), megabytes);
    EXPECT_LE(Figure(report, "TOTAL FREE DISK SPACE:"), Figure(report, "TOTAL DISK SPACE:"));
    EXPECT_GT(Figure(report, "TOTAL FREE DISK SPACE:"), 0);
    // The date as the system writes it on the day of the run (before or after midnight).
    const std::size_t at = std::min(report.find("\nSYSTEM DATE :") + 26, report.size());
    const std::string date = report.substr(at, report.find(" at ", at) - at);
    EXPECT_TRUE(date == before || date == today()) << date << " is not " << before;
  }
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, form);
}

// Shared with all, the report is read-only; `released`, its holder lets go while the tool tries.
TEST(ReportFile, NotWritableKeepsTheOldReportAndABriefHoldIsWaitedOut) {
  for (auto [why, sharing, released] :
       {std::tuple{"read-only", kShareAll, false},
        {"held open by another program", DWORD{0}, false},
        {"held a moment by a reader", kShareAll ^ FILE_SHARE_DELETE, true}}) {
    SCOPED_TRACE(why);
    const std::string folder = bench::MakeTempDir("blocked"), file = folder + "\\report.htm";
    const std::string errors = bench::MakeTempDir("errors") + "\\stderr.txt";
    ASSERT_TRUE(bench::WriteWholeFile(file, "previous report\r\n"));
    SetFileAttributesA(file.c_str(), sharing == kShareAll ? FILE_ATTRIBUTE_READONLY : 0);
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, 0);
    bench::Process tool;
    DWORD code = 99;
    EXPECT_TRUE(tool.Start(bench::ToolExe(), "/report \"" + file + "\"", folder, errors));
    WIN32_FIND_DATAA found;
    auto moving = [&] {  // the report is whole beside itself: the tool is moving it into place
      HANDLE search = FindFirstFileA((folder + "\\~TRV*.tmp").c_str(), &found);
      return search != INVALID_HANDLE_VALUE && FindClose(search) && found.nFileSizeLow > 0;
    };
    if (released) bench::WaitUntil([&] { return moving() || tool.WaitExit(0); });
    tool.WaitExit(released ? 300 : 60000);  // held a moment longer, or for the whole run
    CloseHandle(held);
    EXPECT_TRUE(tool.WaitExit(60000, &code) && code == (released ? 0u : 1u)) << code;
    const std::string said = bench::ReadWholeFile(errors).value_or("?");
    EXPECT_TRUE(released ? said.empty() : !said.empty() && said.find('\n') == said.size() - 1)
        << said;
    const std::string now = bench::ReadWholeFile(file).value_or("");
    EXPECT_TRUE(released ? now.starts_with("<html>") : now == "previous report\r\n")
        << now.substr(0, 60);
    EXPECT_EQ(FindFirstFileA((folder + "\\*.tmp").c_str(), &found), INVALID_HANDLE_VALUE)
        << "a temporary file was left beside the report";
  }
}

// Refused switches, a folder that cannot be written and a host that never answers: each ends at
// once (or after the answer limit), says why on standard error and starts nothing it need not.
TEST(AlwaysEnds, SwitchesUnwritableFolderAndSilentHost) {
  SetEnvironmentVariableA("TORVEL_ANSWER_LIMIT_MS", "8000");
  const std::string folder = bench::MakeTempDir("ends"), errors = folder + "\\stderr.txt";
  const std::string usage =
      "Usage: TORVELSupport.exe [/report [FILE]] [/json [FILE]] [/private] | /?\r\n";
  // The arguments, the exit code, what standard error says and what the host was asked.
  const std::string asked = "Application.DateCode()\r\n";
  const std::string kSameFile = "/report and /json need two different files. ";
  for (auto [arguments, code, said, settings, calls] :
       {std::tuple{std::string("/reprot"), 2u, "Unknown switch \"/reprot\". " + usage, "",
                   std::string()},
        // Asked again while it starts; busy on one call then silent on the next, both in one limit.
        {"/report r.htm", 0u, "", "Silent=DateCode\r\nBusy=3000", asked},
        {"/report n.htm", 0u, "", "Silent=RevisionNumber\r\nBusy=3000",
         asked + "Application.RevisionNumber()\r\n"},
        {"/report b.htm", 0u, "", "Busy=600000", ""},
        // One file for both, in any spelling, is refused; a name that cannot be written fails
        // before the other file is replaced.
        {"/json sub\\..\\x.htm /report \\\\?\\" + folder + "\\x.htm", 2u, kSameFile + usage, "",
         ""},
        {"/report l.htm /json " + std::string(256, 'l'), 1u, "could not be written to|too long", "",
         ""}}) {
    SCOPED_TRACE(arguments);
    standin::Server host(standin::kHost, settings + std::string("\r\n"));
    // The silent host is one the user has open: ended, it leaves no class object to later rows.
    ASSERT_TRUE(host.ready() && (settings[0] != 'S' || host.StartRunning()));
    const DWORD start = GetTickCount();
    EXPECT_EQ(bench::Run(bench::ToolExe(), arguments, folder, errors), code);
    // A host's rejections and waits together stay within the answer limit: a server given up is
    // asked nothing more.
    EXPECT_LT(GetTickCount() - start, 10000u);
    // What standard error must say: nothing, or each of the parts between "|".
    const std::string told = bench::ReadWholeFile(errors).value_or("?");
    const std::size_t bar = said.find('|');
    EXPECT_TRUE(said.empty() ? told.empty()
                             : told.find(said.substr(0, bar)) != std::string::npos &&
                                   told.find(said.substr(bar + 1)) != std::string::npos)
        << told;
    EXPECT_EQ(host.Calls(), calls);
  }
  EXPECT_FALSE(bench::FileExists(folder + "\\x.htm") || bench::FileExists(folder + "\\l.htm"));
  // A host still busy when the answer limit is reached (one that never answers: Responsive).
  const std::string busy = "not available: Partwright is busy (error 0x80010001)\r\n";
  const std::string report = bench::ReadWholeFile(folder + "\\b.htm").value_or("");
  EXPECT_NE(report.find("<pre>Partwright Date Code:       " + busy +
                        "Partwright Revision Number:  " + busy),
            std::string::npos);
  SetEnvironmentVariableA("TORVEL_ANSWER_LIMIT_MS", nullptr);
}

// Links and folders planted beside the report are never written through, moved or removed (a
// file swapped while it is written: Win32Files' test); a report name of 255 characters is
// written.
TEST(ReportFile, PlantedLinksNeverTakeItOverAndLongNamesWork) {
  const std::string folder = bench::MakeTempDir("shared");
  const std::string victim = bench::MakeTempDir("victim") + "\\v.txt";
  ASSERT_TRUE(bench::WriteWholeFile(victim, "victim"));
  const std::string link = "ln -s '" + bench::UnixPath(victim) + "' ";
  // A link and a folder under the temporary files' names, an hour-old leftover of a killed run,
  // and a link under such a name to an hour-old file.
  ASSERT_TRUE(bench::Sh(
      folder, link + "./~TRV00000001.tmp; mkdir ./~TRV00000002.tmp; : >./~TRV00000004.tmp;" + link +
                  "./~TRV00000003.tmp; : >./~TRV0000000A.tmp; touch -d '1 hour ago' "
                  "./~TRV00000004.tmp ./~TRV0000000A.tmp '" +
                  bench::UnixPath(victim) + "'"));
  // A leftover another program holds open (letting anyone delete it) is not the tool's to remove.
  const std::string held = folder + "\\~TRV0000000A.tmp";
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, 0);
  EXPECT_EQ(bench::Run(bench::ToolExe(), "/report r.htm", folder), 0u);
  EXPECT_TRUE(holder != INVALID_HANDLE_VALUE && CloseHandle(holder) && bench::FileExists(held));
  EXPECT_TRUE(bench::ReadWholeFile(folder + "\\r.htm").value_or("").starts_with("<html>"));
  EXPECT_FALSE(bench::FileExists(folder + "\\~TRV00000004.tmp"));
  EXPECT_EQ(bench::ReadWholeFile(victim).value_or(""), "victim");
  const std::string long_name = folder + "\\" + std::string(251, 'n') + ".htm";
  EXPECT_EQ(bench::Run(bench::ToolExe(), "/report " + long_name, folder), 0u);
  EXPECT_TRUE(bench::FileExists("\\\\?\\" + long_name));
}

// Started with no console and no standard handles, as from a shortcut or a file dropped on the
// icon: what a person did gets the usage in a box; a wrong switch never opens a window.
TEST(NoConsole, ADroppedFileOrAHelpRequestGetsABoxAWrongSwitchNone) {
  const std::string usage =
      "Usage: TORVELSupport.exe [/report [FILE]] [/json [FILE]] [/private] | /?";
  struct Case {
    std::string arguments, box;  // no box expected when empty
    DWORD code;
  };
  for (const Case& c :
       {Case{"\"C:\\a file.txt\"", "Unexpected argument \"C:\\a file.txt\". " + usage, 2},
        {"/?", usage, 0},
        {"report.txt /reprot", "", 2}}) {
    SCOPED_TRACE(c.arguments);
    std::wstring line = bench::W("\"" + bench::ToolExe() + "\" " + c.arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // and every one of them null
    PROCESS_INFORMATION tool{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                               nullptr, nullptr, &startup, &tool));
    if (!c.box.empty()) {
      HWND box = bench::WaitForWindow(tool.dwProcessId, "TORVEL Support Tool");
      EXPECT_NE(box, nullptr);
      EXPECT_EQ(bench::WindowText(GetDlgItem(box, 0xFFFF)), c.box);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    DWORD code = 99;
    EXPECT_EQ(WaitForSingleObject(tool.hProcess, bench::kWaitMs), WAIT_OBJECT_0);
    if (GetExitCodeProcess(tool.hProcess, &code) && code == STILL_ACTIVE)
      TerminateProcess(tool.hProcess, 99);
    EXPECT_EQ(code, c.code);
    CloseHandle(tool.hThread);
    CloseHandle(tool.hProcess);
  }
}

}  // namespace
