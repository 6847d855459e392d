// The real tool under Wine: its main window, the save/view command, Exit and the silent mode.
#include <gtest/gtest.h>

#include <regex>

#include "app/win32/control_ids.h"
#include "support/ui_driver.h"

namespace {

constexpr char kCaption[] = "TORVEL Support Tool Version 2.1.0";
constexpr char kQuestionTitle[] = "View/Save to a File";

// The frame and header that every report starts with, byte for byte.
constexpr char kReportHead[] =
    "<html>\r\n<head>\r\n"
    "<title>Information about TORVEL Products - TORVEL Support Tool Version 2.1.0</title>\r\n"
    "</head>\r\n<body>\r\n"
    "<h1 align=center>Information about TORVEL Products</h1>\r\n"
    "<h2 align=center>TORVEL Support Tool</h2>\r\n"
    "<h3 align=center>Version 2. 1. 0</h3>\r\n"
    "<h3 align=center>(C) TORVEL</h3>\r\n"
    "\r\n\r\n\r\n"
    "<p style=\"font-weight: bold; x-text-underline: normal;\">User and System Information:</p>\r\n"
    "\r\n";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The tool copied alone into a fresh folder, started, with its main window found.
class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = bench::MakeTempDir("main");
    exe_ = bench::CopyToolInto(folder_);
    ASSERT_FALSE(exe_.empty());
    report_ = folder_ + "\\TORVEL Info.htm";
  }
  void StartWindow() {
    ASSERT_TRUE(tool_.Start(exe_, "", folder_));
    window_ = bench::WaitForWindow(tool_.pid(), TORVEL_MAIN_CLASS, "");
    ASSERT_NE(window_, nullptr) << "the main window did not appear";
  }
  // Clicks View/Save and answers its question; returns the question box.
  bench::MessageBoxSeen AskAndAnswer(int answer) {
    bench::Click(window_, ID_CMD_SAVE_TO_FILE);
    auto question = bench::WaitForMessageBox(tool_.pid());
    EXPECT_TRUE(question.has_value()) << "no question";
    if (!question) return {};
    EXPECT_TRUE(bench::Answer(*question, answer));
    return *question;
  }

  std::string folder_, exe_, report_;
  bench::Process tool_;
  HWND window_ = nullptr;
};

TEST_F(ToolTest, WindowShowsCaptionUptimeAndFocusOnTheRecipient) {
  StartWindow();
  EXPECT_EQ(bench::WindowText(window_), kCaption);
  std::string uptime = bench::WindowText(GetDlgItem(window_, ID_LBL_COMPUTER_RUNNING));
  EXPECT_TRUE(std::regex_match(
      uptime, std::regex("Your system has been running for [0-9]+ hours and [0-9]+ minutes\\.")))
      << uptime;
  EXPECT_EQ(bench::WindowText(GetDlgItem(window_, ID_TXT_EMAIL_TO)), "support@torvel.example.com");
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  ASSERT_TRUE(bench::WaitUntil([&] {
    return GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &gui) &&
           gui.hwndFocus == GetDlgItem(window_, ID_TXT_EMAIL_TO);
  })) << "the recipient field should have the focus";
  LONG style = GetWindowLongA(window_, GWL_STYLE);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
}

TEST_F(ToolTest, ControlTexts) {
  StartWindow();
  struct Text {
    int id;
    const char* text;
  } texts[] = {
      {ID_LBL_EMAIL_TO, "Email To:"},
      {ID_LABEL1, "Instructions:"},
      {ID_CMD_SAVE_TO_FILE, "View/&Save to a file"},
      {ID_CMD_SENT_EMAIL, "&Email the saved file"},
      {ID_CMD_EXIT, "E&xit"},
      {ID_LABEL2,
       "Click View/Save to a file to save a text file which you can then email to your Tech "
       "Support contact. As an alternative, you can enter the email address you want in the "
       "above field and click Email the saved file."},
  };
  for (const Text& t : texts) EXPECT_EQ(bench::WindowText(GetDlgItem(window_, t.id)), t.text);
}

TEST_F(ToolTest, ViewSaveAnsweredNoReplacesAnOlderReportAndConfirms) {
  ASSERT_TRUE(bench::WriteWholeFile(report_, "an older report\r\n"));
  SetFileAttributesA(report_.c_str(), FILE_ATTRIBUTE_HIDDEN);
  StartWindow();
  bench::MessageBoxSeen question = AskAndAnswer(IDNO);
  EXPECT_EQ(question.title, kQuestionTitle);
  EXPECT_EQ(question.text,
            " Do you want to view the information?\r\n(Information will be "
            "automatically saved to " +
                folder_ + "\\TORVEL Info.htm File.)");
  auto confirmation = bench::WaitForMessageBox(tool_.pid());
  ASSERT_TRUE(confirmation.has_value());
  EXPECT_EQ(confirmation->title, kQuestionTitle);
  EXPECT_EQ(confirmation->text, "Information written to " + folder_ + "\\TORVEL Info.htm File. ");
  EXPECT_EQ(bench::ButtonsOf(confirmation->hwnd), std::vector<int>{IDOK});
  EXPECT_TRUE(bench::Answer(*confirmation, IDOK));
  auto report = bench::ReadWholeFile(report_);
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(report->rfind(kReportHead, 0), 0u) << report->substr(0, 400);
  EXPECT_EQ(report->find("an older report"), std::string::npos);
  EXPECT_TRUE(EndsWith(*report, "\r\n</body>\r\n"));
  EXPECT_FALSE(bench::FileExists(report_ + ".tmp"));
}

TEST_F(ToolTest, ViewSaveAnsweredYesOpensTheReportWithItsHandler) {
  std::string log = bench::BinDir() + "\\recorder-log.txt";
  DeleteFileA(log.c_str());
  StartWindow();
  bench::MessageBoxSeen question = AskAndAnswer(IDYES);
  EXPECT_EQ(bench::ButtonsOf(question.hwnd).size(), 0u) << "the box is gone once answered";
  ASSERT_TRUE(bench::WaitUntil([&] { return bench::FileExists(log); }))
      << "the .htm handler was not started";
  bench::WaitUntil([&] {
    auto text = bench::ReadWholeFile(log);
    return text && EndsWith(*text, "\r\n");
  });
  auto recorded = bench::ReadWholeFile(log);
  ASSERT_TRUE(recorded.has_value());
  EXPECT_NE(recorded->find(report_), std::string::npos) << *recorded;
  EXPECT_TRUE(bench::FileExists(report_));
}

TEST_F(ToolTest, ReadOnlyReportGivesOneClearMessageAndStaysAsItWas) {
  ASSERT_TRUE(bench::WriteWholeFile(report_, "kept\r\n"));
  SetFileAttributesA(report_.c_str(), FILE_ATTRIBUTE_READONLY);
  StartWindow();
  AskAndAnswer(IDNO);
  auto failure = bench::WaitForMessageBox(tool_.pid());
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->title, "TORVEL Support Tool");
  EXPECT_EQ(failure->text.rfind("The report could not be written to " + report_ + ".\r\n", 0), 0u)
      << failure->text;
  EXPECT_TRUE(bench::Answer(*failure, IDOK));
  EXPECT_EQ(bench::ReadWholeFile(report_).value_or(""), "kept\r\n");
  EXPECT_TRUE(tool_.Running()) << "the tool keeps running after a failed report";
  SetFileAttributesA(report_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ToolTest, ExitButtonAndMenuEndTheTool) {
  for (bool use_menu : {false, true}) {
    bench::Process tool;
    ASSERT_TRUE(tool.Start(exe_, "", folder_));
    HWND window = bench::WaitForWindow(tool.pid(), TORVEL_MAIN_CLASS, "");
    ASSERT_NE(window, nullptr);
    if (use_menu) {
      bench::ChooseMenu(window, ID_MNU_EXIT);
    } else {
      bench::Click(window, ID_CMD_EXIT);
    }
    DWORD code = 1;
    EXPECT_TRUE(tool.WaitExit(bench::kWaitMs, &code)) << (use_menu ? "menu" : "button");
    EXPECT_EQ(code, 0u);
  }
}

TEST_F(ToolTest, AccessKeysReachTheCommands) {
  StartWindow();
  ASSERT_TRUE(bench::PressKeys(window_, {'S'}, /*alt=*/true));
  auto question = bench::WaitForMessageBox(tool_.pid());
  ASSERT_TRUE(question.has_value()) << "Alt+S should press View/Save";
  EXPECT_EQ(question->title, kQuestionTitle);
  EXPECT_TRUE(bench::Answer(*question, IDNO));
  auto confirmation = bench::WaitForMessageBox(tool_.pid());
  ASSERT_TRUE(confirmation.has_value());
  EXPECT_TRUE(bench::Answer(*confirmation, IDOK));
  // The menu from the keyboard: Alt+F opens File, S chooses View/Save.
  ASSERT_TRUE(bench::PressKeys(window_, {'F'}, /*alt=*/true));
  ASSERT_TRUE(bench::PressKeys(window_, {'S'}));
  auto from_menu = bench::WaitForMessageBox(tool_.pid());
  ASSERT_TRUE(from_menu.has_value()) << "File > View/Save from the keyboard";
  EXPECT_EQ(from_menu->title, kQuestionTitle);
  EXPECT_TRUE(bench::Answer(*from_menu, IDNO));
  auto second = bench::WaitForMessageBox(tool_.pid());
  ASSERT_TRUE(second.has_value());
  EXPECT_TRUE(bench::Answer(*second, IDOK));
  ASSERT_TRUE(bench::PressKeys(window_, {'X'}, /*alt=*/true));
  EXPECT_TRUE(tool_.WaitExit(bench::kWaitMs)) << "Alt+X should press Exit";
}

TEST_F(ToolTest, SilentModeWritesTheReportAndExitsZero) {
  bench::Process tool;
  std::string target = folder_ + "\\silent.htm";
  ASSERT_TRUE(tool.Start(exe_, "/report \"" + target + "\"", folder_));
  DWORD code = 1;
  ASSERT_TRUE(tool.WaitExit(60000, &code));
  EXPECT_EQ(code, 0u);
  auto report = bench::ReadWholeFile(target);
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(report->rfind(kReportHead, 0), 0u);
  EXPECT_TRUE(EndsWith(*report, "\r\n</body>\r\n"));
  EXPECT_FALSE(bench::FileExists(report_)) << "with FILE given, nothing is written beside the tool";

  bench::Process beside;
  ASSERT_TRUE(beside.Start(exe_, "/REPORT", folder_));
  ASSERT_TRUE(beside.WaitExit(60000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(bench::FileExists(report_));
}

TEST_F(ToolTest, SilentModeFailureExitsNonZeroWithOneLineOnStandardError) {
  ASSERT_TRUE(bench::WriteWholeFile(report_, "kept\r\n"));
  SetFileAttributesA(report_.c_str(), FILE_ATTRIBUTE_READONLY);
  std::string errors = folder_ + "\\stderr.txt";
  bench::Process tool;
  ASSERT_TRUE(tool.Start(exe_, "/report", folder_, errors));
  DWORD code = 0;
  ASSERT_TRUE(tool.WaitExit(60000, &code));
  EXPECT_NE(code, 0u);
  EXPECT_EQ(bench::ReadWholeFile(report_).value_or(""), "kept\r\n");
  std::string text = bench::ReadWholeFile(errors).value_or("");
  EXPECT_EQ(text.rfind("TORVEL Support Tool: The report could not be written to " + report_, 0), 0u)
      << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  SetFileAttributesA(report_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
