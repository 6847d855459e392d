// The real tool under Wine: the e-mail command with an empty recipient, by the mailto road to
// the registered link handler, and by the mail-client road to the stand-in mail client, with
// the client failing or missing.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/control_ids.h"
#include "programs/mailclient_standin/mailclient_standin.h"
#include "support/ui_driver.h"

namespace {

constexpr char kEmailOption[] = "Email Option";
constexpr char kDelivery[] = "Email Delivery";
// How long the tests wait to be sure that no further box comes.
constexpr DWORD kQuietMs = 2000;

std::string Beside(const std::string& name) { return bench::BinDir() + "\\" + name; }

// The stand-in's records of earlier runs, removed so that each test sees only its own.
void RemoveStandinRecords() {
  for (const char* pattern : {"mailclient-mail-*.txt", "mailclient-attachment-*.htm"}) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Beside(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      DeleteFileA(Beside(found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  DeleteFileA(Beside(mailclient_standin::kSettingsFile).c_str());
}

bool RunStandin(const char* argument) {
  bench::Process standin;
  DWORD code = 1;
  return standin.Start(Beside(mailclient_standin::kProgram), argument) &&
         standin.WaitExit(bench::kWaitMs, &code) && code == 0;
}

// Every byte but letters, digits and "-._~" as %XX: how the link carries subject and body.
std::string Encoded(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

class MailTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(RunStandin("/register")); }

  void SetUp() override {
    RemoveStandinRecords();
    recorder_log_ = Beside("recorder-log.txt");
    recorder_before_ = bench::ReadWholeFile(recorder_log_).value_or("");
  }
  void TearDown() override {
    EndTool();
    DeleteFileA(Beside(mailclient_standin::kSettingsFile).c_str());
  }

  // Ends the tool by its Exit button, so that it lets the mail client go and the stand-in
  // server ends with it; killed only when it does not end.
  void EndTool() {
    if (!tool_) return;
    if (window_ != nullptr && tool_->Running()) {
      bench::Click(window_, ID_CMD_EXIT);
      EXPECT_TRUE(tool_->WaitExit(bench::kWaitMs)) << "the tool did not end by Exit";
    }
    tool_.reset();
    window_ = nullptr;
  }

  // The tool alone in `folder` (created under a fresh temporary folder when not empty), its
  // main window found and the recipient field set to `recipient`.
  void StartWith(const std::string& recipient, const std::string& subfolder = "") {
    folder_ = bench::MakeTempDir("mail");
    if (!subfolder.empty()) {
      folder_ += "\\" + subfolder;
      ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    }
    std::string exe = bench::CopyToolInto(folder_);
    ASSERT_FALSE(exe.empty());
    report_ = folder_ + "\\TORVEL Info.htm";
    EndTool();
    tool_ = std::make_unique<bench::Process>();
    ASSERT_TRUE(tool_->Start(exe, "", folder_));
    window_ = bench::WaitForWindow(tool_->pid(), TORVEL_MAIN_CLASS, "");
    ASSERT_NE(window_, nullptr) << "the main window did not appear";
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(GetDlgItem(window_, ID_TXT_EMAIL_TO), WM_SETTEXT, 0,
                                    reinterpret_cast<LPARAM>(recipient.c_str()), SMTO_ABORTIFHUNG,
                                    bench::kWaitMs, &result));
  }

  // Clicks the e-mail button and returns the first box it shows.
  bench::MessageBoxSeen ClickEmail() {
    bench::Click(window_, ID_CMD_SENT_EMAIL);
    auto box = bench::WaitForMessageBox(tool_->pid());
    EXPECT_TRUE(box.has_value()) << "the e-mail command showed no box";
    return box.value_or(bench::MessageBoxSeen{});
  }

  // Answers the road question with `answer`, after checking it and that the report is there.
  void ChooseRoad(int answer) {
    bench::MessageBoxSeen question = ClickEmail();
    EXPECT_EQ(question.title, kEmailOption);
    EXPECT_EQ(question.text, "Do you use MS Outlook as your Email Client?");
    EXPECT_EQ(bench::ButtonsOf(question.hwnd), (std::vector<int>{IDYES, IDNO}));
    EXPECT_TRUE(bench::FileExists(report_)) << "the report is written before the question";
    EXPECT_TRUE(bench::Answer(question, answer));
  }

  // The delivery box that follows the Yes answer, answered.
  bench::MessageBoxSeen DeliveryBox() {
    auto box = bench::WaitForMessageBox(tool_->pid());
    EXPECT_TRUE(box.has_value()) << "no delivery box";
    if (!box) return {};
    EXPECT_EQ(box->title, kDelivery);
    EXPECT_EQ(bench::ButtonsOf(box->hwnd), (std::vector<int>{IDOK}));
    EXPECT_TRUE(bench::Answer(*box, IDOK));
    return *box;
  }

  void ExpectNoFurtherBox() {
    auto box = bench::WaitForMessageBox(tool_->pid(), kQuietMs);
    EXPECT_FALSE(box.has_value()) << "unexpected box: " << box->title << ": " << box->text;
    EXPECT_TRUE(tool_->Running());
  }

  // What the recorder logged since the test started.
  std::string RecorderNews() const {
    std::string now = bench::ReadWholeFile(recorder_log_).value_or("");
    return now.size() > recorder_before_.size() ? now.substr(recorder_before_.size()) : "";
  }

  std::string folder_, report_, recorder_log_, recorder_before_;
  std::unique_ptr<bench::Process> tool_;
  HWND window_ = nullptr;
};

TEST_F(MailTest, EmptyRecipientShowsTheErrorBoxAndWritesNothing) {
  StartWith("");
  for (bool by_menu : {false, true}) {
    SCOPED_TRACE(by_menu ? "menu item" : "button");
    bench::MessageBoxSeen box;
    if (by_menu) {
      bench::ChooseMenu(window_, ID_MNU_EMAIL);
      box = bench::WaitForMessageBox(tool_->pid()).value_or(bench::MessageBoxSeen{});
    } else {
      box = ClickEmail();
    }
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.text,
              "Email address can not have a null value. Please type in the correct email "
              "address.");
    EXPECT_EQ(bench::ButtonsOf(box.hwnd), (std::vector<int>{IDOK}));
    EXPECT_TRUE(bench::Answer(box, IDOK));
    ExpectNoFurtherBox();
  }
  EXPECT_FALSE(bench::FileExists(report_));
  EXPECT_EQ(RecorderNews(), "");
  EXPECT_FALSE(bench::FileExists(Beside("mailclient-mail-1.txt")));
}

TEST_F(MailTest, AnsweredNoHandsTheEncodedLinkToTheMailtoHandler) {
  const std::string address = "MAILTO:Help@Torvel.example?cc=Team@Torvel.example";
  StartWith(address, "R&D #1 100%");
  ChooseRoad(IDNO);
  ASSERT_TRUE(bench::WaitUntil([&] {
    std::string news = RecorderNews();
    return news.size() >= 2 && news.compare(news.size() - 2, 2, "\r\n") == 0;
  })) << "the mailto handler was not started";
  const std::string link = address + "?subject=" + Encoded("TORVEL Info.htm file attached") +
                           "&body=" +
                           Encoded("Please attach the 'TORVEL Info.htm' file created in " +
                                   folder_ + " directory.\r\nThanks.");
  const std::string news = RecorderNews();
  const std::string tail = " \"" + link + "\"\r\n";
  ASSERT_GE(news.size(), tail.size()) << news;
  EXPECT_EQ(news.substr(news.size() - tail.size()), tail) << news;
  EXPECT_EQ(news.find("\r\n"), news.size() - 2) << "one start of the handler";
  ExpectNoFurtherBox();
  EXPECT_FALSE(bench::FileExists(Beside("mailclient-mail-1.txt")));
}

TEST_F(MailTest, AnsweredYesSendsOneMailWithTheReportAttached) {
  StartWith("help@torvel.example");
  ChooseRoad(IDYES);
  EXPECT_EQ(DeliveryBox().text, "Email successfully sent. ");
  ExpectNoFurtherBox();

  auto mail = bench::ReadWholeFile(Beside("mailclient-mail-1.txt"));
  ASSERT_TRUE(mail.has_value()) << "the stand-in recorded no mail";
  const std::string copy = Beside("mailclient-attachment-1.htm");
  EXPECT_EQ(*mail, "To: help@torvel.example\r\nSubject: TORVEL Info.htm File\r\nAttachment: " +
                       copy + "\r\n\r\nTORVEL Info.htm file attached");
  EXPECT_FALSE(bench::FileExists(Beside("mailclient-mail-2.txt")));
  auto attached = bench::ReadWholeFile(copy);
  auto report = bench::ReadWholeFile(report_);
  ASSERT_TRUE(attached.has_value());
  ASSERT_TRUE(report.has_value());
  EXPECT_FALSE(report->empty());
  EXPECT_EQ(*attached, *report);
  EXPECT_EQ(RecorderNews(), "") << "the mailto handler is not used";

  // A second send goes through the same client and records a second mail.
  ChooseRoad(IDYES);
  EXPECT_EQ(DeliveryBox().text, "Email successfully sent. ");
  EXPECT_TRUE(bench::FileExists(Beside("mailclient-mail-2.txt")));
}

TEST_F(MailTest, FailingClientGivesTheFailureBoxAndNeverTheSuccessBox) {
  struct Case {
    const char* member;
    const char* step;
  } cases[] = {
      {"Send", "could not send the mail"},
      {"Add", "report could not be attached"},
      {"CreateItem", "did not create a new mail"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.member);
    ASSERT_TRUE(bench::WriteWholeFile(Beside(mailclient_standin::kSettingsFile),
                                      std::string("[Mail]\r\nFail=") + c.member + "\r\n"));
    StartWith("help@torvel.example");
    ChooseRoad(IDYES);
    bench::MessageBoxSeen box = DeliveryBox();
    EXPECT_NE(box.text.find("not sent"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(c.step), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(mailclient_standin::kFailureText), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(report_), std::string::npos) << box.text;
    ExpectNoFurtherBox();
    EXPECT_FALSE(bench::FileExists(Beside("mailclient-mail-1.txt")));
  }
}

TEST_F(MailTest, MissingClientGivesTheFailureBoxAndTheToolCarriesOn) {
  ASSERT_TRUE(RunStandin("/unregister"));
  StartWith("help@torvel.example");
  ChooseRoad(IDYES);
  bench::MessageBoxSeen box = DeliveryBox();
  EXPECT_NE(box.text.find("could not be started"), std::string::npos) << box.text;
  EXPECT_NE(box.text.find(report_), std::string::npos) << box.text;
  ExpectNoFurtherBox();
  EXPECT_TRUE(RunStandin("/register"));
}

}  // namespace
