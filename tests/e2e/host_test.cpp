// The host application section of the real tool under Wine, against the host stand-in:
// started by the tool, already running, and not registered at all.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include "programs/partwright_standin/partwright_standin.h"
#include "support/host_section_text.h"
#include "support/standin_server.h"
#include "support/ui_driver.h"

namespace {

namespace host = partwright_standin;

constexpr char kSetup2005[] = "Software\\Partwright\\Partwright 2005\\Setup";
constexpr char kRevision[] = "14.0.2210.0 <beta>";

// The report's last lines when the host answered (release 2005 installed as edition 2).
const std::string kAnsweredTail = expected::HostSection(" 20060214", "14.0.2210.0 &lt;beta&gt;",
                                                        "N/A", "Partwright Studio Pro", "N/A") +
                                  "</body>\r\n";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

standin::ServerDefinition Definition() {
  return {host::kProgId, host::kClsid, "Partwright Application (stand-in)", "", nullptr};
}

std::string StandinPath() { return bench::BinDir() + "\\" + host::kProgram; }
std::string LogPath() { return bench::BinDir() + "\\" + host::kLogFile; }

// Counts the stand-in processes; with `end`, ends each by its process id.
int StandinProcesses(bool end = false) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, host::kProgram) != 0) continue;
    ++count;
    HANDLE process =
        end ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID) : nullptr;
    if (process) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, bench::kWaitMs);
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
  return count;
}

// The running instance in the running object table, or null.
IDispatch* ActiveHost() {
  CLSID clsid{};
  std::wstring text(host::kClsid, host::kClsid + sizeof host::kClsid - 1);
  IUnknown* unknown = nullptr;
  IDispatch* dispatch = nullptr;
  if (SUCCEEDED(CLSIDFromString(text.c_str(), &clsid)) &&
      SUCCEEDED(GetActiveObject(clsid, nullptr, &unknown)) && unknown) {
    unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    unknown->Release();
  }
  return dispatch;
}

// Closes the instance the test started itself, the way its owner would.
void CloseActiveHost() {
  IDispatch* dispatch = ActiveHost();
  if (!dispatch) return;
  LPOLESTR name = const_cast<LPOLESTR>(L"ExitApp");
  DISPID id = 0;
  DISPPARAMS none{};
  if (SUCCEEDED(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) {
    dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr,
                     nullptr);
  }
  dispatch->Release();
}

class HostSectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    ASSERT_EQ(StandinProcesses(), 0) << "a stand-in is left over from an earlier run";
    ASSERT_TRUE(bench::WriteWholeFile(
        bench::BinDir() + "\\" + host::kSettingsFile,
        std::string("[Host]\r\nDateCode=20060214\r\nRevisionNumber=") + kRevision + "\r\n"));
    DeleteFileA(LogPath().c_str());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSetup2005, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    DWORD edition = 2;
    RegSetValueExA(key, "Partwright Studio Installed", 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&edition), sizeof edition);
    RegCloseKey(key);
    folder_ = bench::MakeTempDir("host");
    report_ = folder_ + "\\report.htm";
  }
  void TearDown() override {
    // No stand-in outlives its test, even when the test failed.
    StandinProcesses(true);
    // Other tests' reports meet no host unless they register one themselves.
    standin::UnregisterServer(Definition());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Partwright");
    CoUninitialize();
  }

  // Runs the tool's silent mode to the end and returns the report.
  std::string Report() {
    bench::Process tool;
    EXPECT_TRUE(tool.Start(bench::ToolExe(), "/report \"" + report_ + "\"", folder_));
    DWORD code = 1;
    EXPECT_TRUE(tool.WaitExit(60000, &code)) << "the tool did not finish";
    EXPECT_EQ(code, 0u);
    return bench::ReadWholeFile(report_).value_or("");
  }
  std::string CallLog() { return bench::ReadWholeFile(LogPath()).value_or(""); }

  std::string folder_, report_;
};

TEST_F(HostSectionTest, HostStartedByTheToolIsAskedAndClosed) {
  ASSERT_TRUE(standin::RegisterServer(Definition(), StandinPath()));
  std::string report = Report();
  EXPECT_TRUE(EndsWith(report, kAnsweredTail)) << report.substr(report.rfind("<hr"));
  EXPECT_EQ(CallLog(),
            "Application.DateCode()\r\nApplication.RevisionNumber()\r\nApplication.ExitApp()\r\n");
  EXPECT_TRUE(bench::WaitUntil([] { return StandinProcesses() == 0; }))
      << "the started host did not close";
}

TEST_F(HostSectionTest, RunningHostIsUsedAndSurvivesTheReport) {
  ASSERT_TRUE(standin::RegisterServer(Definition(), StandinPath()));
  bench::Process running;
  ASSERT_TRUE(running.Start(StandinPath(), "/running"));
  ASSERT_TRUE(bench::WaitUntil([] {
    IDispatch* found = ActiveHost();
    if (found) found->Release();
    return found != nullptr;
  })) << "the running instance never registered";
  DeleteFileA(LogPath().c_str());

  std::string report = Report();
  EXPECT_TRUE(EndsWith(report, kAnsweredTail)) << report.substr(report.rfind("<hr"));
  EXPECT_EQ(CallLog(), "Application.DateCode()\r\nApplication.RevisionNumber()\r\n");
  // Given time to close, it still runs: nobody told it to exit.
  EXPECT_FALSE(running.WaitExit(2000));
  EXPECT_EQ(StandinProcesses(), 1);

  CloseActiveHost();
  EXPECT_TRUE(running.WaitExit(bench::kWaitMs)) << "the stand-in ignored its own ExitApp";
}

TEST_F(HostSectionTest, HostErrorTextReachesTheReport) {
  ASSERT_TRUE(standin::RegisterServer(Definition(), StandinPath()));
  ASSERT_TRUE(bench::WriteWholeFile(bench::BinDir() + "\\" + host::kSettingsFile,
                                    "[Host]\r\nDateCode=-3\r\nFail=RevisionNumber\r\n"));
  std::string report = Report();
  EXPECT_TRUE(EndsWith(
      report, expected::HostSection("-3",
                                    "not available: RevisionNumber is not available in this "
                                    "session (error 80004005)",
                                    "N/A", "Partwright Studio Pro", "N/A") +
                  "</body>\r\n"))
      << report.substr(report.rfind("<hr"));
  // The host the tool started is closed all the same.
  EXPECT_EQ(CallLog(),
            "Application.DateCode()\r\nApplication.RevisionNumber()\r\nApplication.ExitApp()\r\n");
  EXPECT_TRUE(bench::WaitUntil([] { return StandinProcesses() == 0; }));
}

TEST_F(HostSectionTest, UnregisteredHostLeavesACompleteReport) {
  ASSERT_TRUE(standin::UnregisterServer(Definition()));
  std::string report = Report();
  std::size_t rule = report.rfind("<hr");
  ASSERT_NE(rule, std::string::npos);
  std::string section = report.substr(rule);
  const std::string date_line = "<pre>Partwright Date Code:       not available: ";
  const std::string revision_line = "Partwright Revision Number:  not available: ";
  EXPECT_NE(section.find("\r\n" + date_line), std::string::npos) << section;
  EXPECT_NE(section.find("\r\n" + revision_line), std::string::npos) << section;
  EXPECT_TRUE(EndsWith(section,
                       "Partwright 2004 Installed version: N/A\r\n"
                       "Partwright 2005 Installed version: Partwright Studio Pro\r\n"
                       "Partwright 2006 Installed version: N/A\r\n\r\n" +
                           expected::kHostNote + "</body>\r\n"))
      << section;
  EXPECT_FALSE(bench::FileExists(LogPath()));
}

}  // namespace
