// Started with no console and no standard handles, as from a shortcut or a file dropped on the
// icon: what a person did gets the usage in a box; a wrong switch never opens a window.
#include <gtest/gtest.h>

#include "support/ui_driver.h"

namespace {

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
        {"/reprot", "", 2},
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
