// The window keeps answering while a program it asks does not: it serves its messages, shows
// what it is doing after a second, and the user can stop waiting.
#include <gtest/gtest.h>

#include "support/standin_server.h"
#include "support/ui_driver.h"

namespace {

constexpr char kMain[] = "TORVEL Support Tool Version 2.1.0";
constexpr int kStepLabel = 100, kSecondsLabel = 102;

// What ends the wait: the button, Esc in the progress window, closing it, or closing the main
// window (the taskbar's Close window).
enum class Stop { kButton, kEscape, kCloseProgress, kCloseMain };

struct Case {
  bool mail;  // E-mail to the mail client; else View/Save, the report only written (no viewer)
  Stop stop;
  bool check_answers = false;  // the main window answers from second 2 to 6
};

// Runs the command against the silent server and stops waiting for it.
void StopWaiting(const Case& c, const std::string& folder) {
  bench::Process tool;
  ASSERT_TRUE(tool.Start(bench::CopyToolInto(folder), "", folder));
  HWND main = bench::WaitForWindow(tool.pid(), kMain);
  ASSERT_TRUE(main && bench::PressKeys(main, c.mail ? "Alt+E" : "Alt+S"));
  HWND question = bench::WaitForWindow(tool.pid(), c.mail ? "Email Option" : "View/Save to a File");
  ASSERT_NE(question, nullptr);
  PostMessageA(question, WM_COMMAND, c.mail ? IDYES : IDNO, 0);
  const DWORD asked = GetTickCount();
  HWND progress = bench::WaitForWindow(tool.pid(), "Collecting the report");
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(GetWindow(progress, GW_OWNER), main);
  const std::string step = c.mail ? "Handing the mail to the mail client" : "Asking Partwright";
  EXPECT_TRUE(bench::WaitUntil(
      [&] { return bench::WindowText(GetDlgItem(progress, kStepLabel)) == step; }));
  const std::string seconds = bench::WindowText(GetDlgItem(progress, kSecondsLabel));
  const int left = std::atoi(seconds.c_str() + 12);  // at most the answer limit's 20 seconds
  EXPECT_TRUE(seconds.starts_with("Given up in ") && left > 10 && left <= 20) << seconds;
  EXPECT_FALSE(IsWindowEnabled(main));
  while (c.check_answers && GetTickCount() - asked < 6000) {
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 500, &result), 0);
    WaitForSingleObject(GetCurrentProcess(), 200);
  }
  const DWORD stopped = GetTickCount();
  if (c.stop == Stop::kButton) PostMessageA(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
  ASSERT_TRUE(c.stop != Stop::kEscape || bench::PressKeys(progress, "Esc"));
  if (c.stop == Stop::kCloseProgress) PostMessageA(progress, WM_CLOSE, 0, 0);
  if (c.stop == Stop::kCloseMain) PostMessageA(main, WM_CLOSE, 0, 0);
  HWND box = bench::WaitForWindow(tool.pid(), c.mail ? "Email Delivery" : "View/Save to a File");
  ASSERT_NE(box, nullptr);
  EXPECT_LT(GetTickCount() - stopped, 1000u) << "the wait did not end at once";
  const std::string said = bench::WindowText(GetDlgItem(box, 0xFFFF));
  EXPECT_TRUE(said.starts_with(c.mail ? "The email was not sent. The mail client did not answer "
                                        "(error 0x8001011F)."
                                      : "Information written to "))
      << said;
  EXPECT_FALSE(IsWindow(progress));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(bench::WaitUntil([&] { return IsWindowEnabled(main); }));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tool.WaitExit(bench::kWaitMs));
}

TEST(Responsive, StopWaitingForAHostOrAMailClientThatNeverAnswers) {
  SetEnvironmentVariableA("TORVEL_ANSWER_LIMIT_MS", "20000");
  for (const Case& c : {Case{false, Stop::kButton, true},
                        {false, Stop::kEscape},
                        {false, Stop::kCloseMain},
                        {true, Stop::kCloseProgress}}) {
    SCOPED_TRACE(std::string(c.mail ? "mail" : "view/save") + ", stopped by " +
                 std::to_string(static_cast<int>(c.stop)));
    standin::Server host(standin::kHost, "Silent=DateCode\r\n", !c.mail);
    standin::Server client(standin::kMail, "Silent=Send\r\n");
    ASSERT_TRUE(host.ready() && client.ready() && (c.mail || host.StartRunning()));
    const std::string folder = bench::MakeTempDir("responsive");
    StopWaiting(c, folder);
    const std::string report = bench::ReadWholeFile(folder + "\\TORVEL Info.htm").value_or("");
    EXPECT_NE(report.find(c.mail ? "Partwright is not installed"
                                 : "not available: Partwright did not answer (error 0x8001011F)"),
              std::string::npos);
  }
  SetEnvironmentVariableA("TORVEL_ANSWER_LIMIT_MS", nullptr);
}

}  // namespace
