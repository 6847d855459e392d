// The real tool's windows under Wine, driven from the keyboard: each against its transcript in
// expected/, the boxes of each command, the mail roads to the stand-in and the recorder, and the
// window answering while a program it asks does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "support/standin_server.h"
#include "support/ui_driver.h"

namespace {

// One line for the window, then one per control in creation (tab) order: "window" or the id,
// class, left, top, width and height in client pixels, flags joined by "+" ("-": none) and the
// text. A caption is "clipped" if it would be cut off in the tool's font, MS Sans Serif 8.25 pt
// (a control's own font cannot be had from another process).
std::string Transcript(HWND window) {
  static HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                                  DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, font);
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
  std::ostringstream lines;
  for (HWND hwnd = window; hwnd;
       hwnd = hwnd == window ? GetWindow(window, GW_CHILD) : GetWindow(hwnd, GW_HWNDNEXT)) {
    const bool top = hwnd == window;
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    if (top) GetClientRect(window, &r);
    const std::string text = bench::WindowText(hwnd);
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const bool button = bench::ClassOf(hwnd) == "Button";
    const int margin = button ? 6 : 0;  // a push button keeps its caption inside its frame
    RECT need{0, 0, r.right - r.left - margin, 0};
    DrawTextA(dc, text.c_str(), -1, &need,
              DT_CALCRECT | (!button && (style & SS_TYPEMASK) == SS_LEFT ? DT_WORDBREAK : 0));
    std::string flags;
    for (auto [flag, on] : {std::pair{"min", top && (style & WS_MINIMIZEBOX)},
                            {"max", top && (style & WS_MAXIMIZEBOX)},
                            {"size", top && (style & WS_THICKFRAME)},
                            {"tab", !top && (style & WS_TABSTOP)},
                            {"focus", hwnd == gui.hwndFocus},
                            {"clipped", !top && (need.right > r.right - r.left - margin ||
                                                 need.bottom > r.bottom - r.top - margin)}}) {
      if (on) flags += (flags.empty() ? "" : "+") + std::string(flag);
    }
    lines << (top ? "window" : std::to_string(GetDlgCtrlID(hwnd))) << ' ' << bench::ClassOf(hwnd)
          << ' ' << r.left << ' ' << r.top << ' ' << r.right - r.left << ' ' << r.bottom - r.top
          << ' ' << (flags.empty() ? "-" : flags) << " \"" << text << "\"\n";
  }
  DeleteDC(dc);
  return lines.str();
}

// An expected transcript matches the window's, "*" standing for any run of characters within
// a line (a number, a rectangle the design leaves open).
bool Matches(const char* want, const char* got) {
  if (*want == '*')
    return Matches(want + 1, got) || (*got && *got != '\n' && Matches(want, got + 1));
  return *want == *got && (!*want || Matches(want + 1, got + 1));
}

void ExpectTranscript(HWND window, const std::string& file) {
  const std::string want =
      bench::ReadWholeFile(std::string("Z:") + TORVEL_SOURCE_DIR + "/tests/e2e/expected/" + file)
          .value_or("(none)");
  std::string got;
  EXPECT_TRUE(bench::WaitUntil(
      [&] { return Matches(want.c_str(), (got = Transcript(window)).c_str()); }, 5000))
      << "the window differs from " + file + ":\n" + got;
}

// Keys typed into the tool's topmost window and the window they bring up, owned by it (no title:
// the topmost window closes). A message box's text starts with `expect`, which it must have, and
// it is answered; another window stays open and `expect`, if any, names its transcript.
struct Step {
  const char *keys, *title;
  int answer = 0;
  const char *expect = nullptr, *picture = nullptr;
};

// Starts the tool in `folder` and takes the steps, the first finding its main window.
void RunSteps(const std::vector<Step>& steps, const std::string& folder) {
  bench::Process tool;
  ASSERT_TRUE(tool.Start(bench::CopyToolInto(folder), "", folder));
  std::vector<HWND> open{nullptr};
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.keys) + " -> " + (step.title ? step.title : "closes"));
    ASSERT_TRUE(!*step.keys || bench::PressKeys(open.back(), step.keys));
    if (!step.title) {
      ASSERT_TRUE(open.size() > 2 ? bench::WaitUntil([&] { return !IsWindow(open.back()); })
                                  : tool.WaitExit(bench::kWaitMs));
      open.pop_back();
      continue;
    }
    HWND window = bench::WaitForWindow(tool.pid(), step.title);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindow(window, GW_OWNER), open.back());
    if (step.picture) bench::Shoot(window, step.picture);
    if (!step.answer) {
      if (step.expect) ExpectTranscript(window, step.expect);
      open.push_back(window);
      continue;
    }
    ASSERT_TRUE(step.expect && *step.expect) << "a box is told by its text, not its title alone";
    const std::string text = bench::WindowText(GetDlgItem(window, 0xFFFF));
    EXPECT_TRUE(text.starts_with(step.expect)) << text;
    PostMessageA(window, WM_COMMAND, step.answer, 0);
    ASSERT_TRUE(bench::WaitUntil([&] { return !IsWindow(window); }));
  }
}

constexpr char kMain[] = "TORVEL Support Tool Version 2.1.0";

// The second View/Save from the menu, after the private report is checked there; E-mail by link
// last (the handler it starts may take the input from what follows). The folder lies outside the
// code page (in the build's T: drive): the link carries its name in percent-encoded UTF-8.
TEST(WindowsTest, TranscriptsAccessKeysAndOwnedBoxes) {
  const std::string folder = "T:\\Тест", log = bench::BinDir() + "\\recorder-log.txt";
  CreateDirectoryW(bench::W(folder).c_str(), nullptr);
  const std::size_t before = bench::ReadWholeFile(log).value_or("").size();
  RunSteps({{"", kMain, 0, "main_window.txt", "main-window"},
            {"Alt+S", "View/Save to a File", IDNO, " Do you want", "view-save-question"},
            {"", "View/Save to a File", IDOK, "Information written", "view-save-confirmation"},
            {"Alt+F P Alt+F S", "View/Save to a File", IDNO, " Do you want"},
            {"", "View/Save to a File", IDOK, "Information written"},
            {"Alt+H A", "About TORVEL Support Tool", 0, "about_dialog.txt", "about-dialog"},
            {"Alt+S", "TORVEL Support Tool", IDOK, "System Information", "sysinfo-unavailable"},
            {"Enter", nullptr},
            {"Alt+H A", "About TORVEL Support Tool"},
            {"Esc", nullptr},
            {"Alt+E", "Email Option", IDNO, "Do you use"},
            {"Alt+X", nullptr}},
           folder);
  const std::string report = bench::ReadWholeFile(folder + "\\TORVEL Info.htm").value_or("");
  EXPECT_NE(report.find("(private report)."), std::string::npos);
  EXPECT_NE(report.find("USER NAME:               user1\r\n"), std::string::npos);
  std::string news;
  EXPECT_TRUE(bench::WaitUntil([&] {
    news = bench::ReadWholeFile(log).value_or("").erase(0, before);
    return news.find('\n') != std::string::npos;
  })) << "the mailto handler was not started";
  EXPECT_EQ(news,
            "\"" + bench::BinDir() +
                "\\recorder.exe\" \"mailto:support@torvel.example.com?subject=TORVEL%20Info.htm%20"
                "file%20attached&body=Please%20attach%20the%20%27TORVEL%20Info.htm%27%20file%20"
                "created%20in%20T%3A%5C%D0%A2%D0%B5%D1%81%D1%82%20directory.%0D%0AThanks.\"\r\n");
}

// The mail client's application object, else the default mail program: the report attached and
// a box that says how sending went. What each other answer shows is checked on the fake machine.
TEST(MailTest, TheMailClientElseTheDefaultMailProgramTakesTheReport) {
  struct Case {
    const char* client;   // the mail client's settings; none: not installed
    const char* program;  // the default mail program's answer; none: no such program is set up
    const char *keys, *text, *picture = nullptr;
  };
  for (const Case& c : {Case{"", "0", "Alt+E", "Email successfully sent. ", "email-sent"},
                        {"Fail=Send", "0", "Alt+F E", "The email was not sent. ", "email-failure"},
                        // The last leaves the bench's default mail program set up.
                        {nullptr, nullptr, "Alt+E",
                         "The email was not sent. The mail client is not installed, and no other"},
                        {nullptr, "0", "Alt+E", "Email successfully sent. "}}) {
    SCOPED_TRACE(c.text);
    standin::Server client(standin::kMail, c.client ? c.client : "", c.client);
    ASSERT_TRUE(
        client.ready() &&
        bench::WriteWholeFile(standin::Server::Beside(standin::kMapiSettings),
                              "[Answers]\r\nCode=" + std::string(c.program ? c.program : "")));
    const char* program = c.program ? "TORVEL Bench Mail" : "";
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, "Software\\Clients\\Mail", nullptr, REG_SZ, program,
                    strlen(program) + 1);
    const std::string folder = bench::MakeTempDir("mail"), report = folder + "\\TORVEL Info.htm",
                      attached =
                          client.Beside(standin::kAttachedPrefix + std::string("TORVEL Info.htm"));
    DeleteFileA(attached.c_str());
    RunSteps({{"", kMain},
              {c.keys, "Email Option", IDYES, "Do you use", "email-option"},
              {"", "Email Delivery", IDOK, c.text, c.picture},
              {"Alt+F X", nullptr}},  // ends the tool: no other box is left open
             folder);
    const std::string sent = bench::ReadWholeFile(report).value_or("(no report)");
    if (c.client) {
      EXPECT_EQ(bench::ReadWholeFile(attached), sent);
      const std::string calls = client.Calls();  // one Send, the last call
      EXPECT_EQ(calls.substr(std::min(calls.find("MailItem.Send("), calls.size())),
                "MailItem.Send()\r\n");
    } else if (c.program) {  // the mail program has it all
      EXPECT_EQ(bench::ReadWholeFile(standin::Server::Beside(standin::kMapiRecord)),
                "|SMTP:support@torvel.example.com|TORVEL Info.htm File|TORVEL Info.htm file "
                "attached|" +
                    report + "|TORVEL Info.htm\r\n" + sent);
    }
  }
}

// The window keeps answering while a program it asks does not: it serves its messages, shows
// what it is doing after a second, and the user can stop waiting.
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
