#include <gtest/gtest.h>

#include "fakes/fake_mail_client.h"
#include "fakes/fake_platform.h"
#include "mail/email_command.h"

namespace torvel {
namespace {

using testing::FakeMachine;
using testing::FakeMailClient;

constexpr char kFolder[] = "C:\\Program Files\\TORVEL";
constexpr char kReport[] = "C:\\Program Files\\TORVEL\\TORVEL Info.htm";

// Dialogs that also note whether the report was on disk when the road was asked for.
class WatchingDialogs : public testing::FakeDialogs {
 public:
  explicit WatchingDialogs(testing::FakeFiles& files) : files_(files) {}
  bool report_before_question = false;
  Answer Show(const std::string& text, const std::string& title, Buttons buttons) override {
    if (title == kEmailOptionTitle) report_before_question = files_.files.count(kReport) == 1;
    return FakeDialogs::Show(text, title, buttons);
  }

 private:
  testing::FakeFiles& files_;
};

class EmailCommandTest : public ::testing::Test {
 protected:
  void Send(const std::string& recipient, Answer road) {
    dialogs.answers.push_back(road);
    Platform p{machine.registry, machine.system, machine.identity, machine.network, machine.files,
               machine.shell,    dialogs,        client,           machine.clock};
    EmailCommand(p, 0x1234, recipient, state);
  }
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const auto& box : dialogs.shown) titles.push_back(box.title);
    return titles;
  }
  const std::string& LastText() const { return dialogs.shown.back().text; }

  FakeMachine machine;
  WatchingDialogs dialogs{machine.files};
  FakeMailClient client{machine.files};
  MailState state;
};

TEST_F(EmailCommandTest, EmptyRecipientShowsErrorAndDoesNothingElse) {
  Send("", Answer::kYes);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, "Error");
  EXPECT_EQ(dialogs.shown[0].text,
            "Email address can not have a null value. Please type in the correct email "
            "address.");
  EXPECT_EQ(dialogs.shown[0].buttons, Buttons::kOk);
  EXPECT_TRUE(machine.files.files.empty()) << "no report is written";
  EXPECT_TRUE(machine.shell.executed.empty());
  EXPECT_EQ(client.create_calls, 0);
}

TEST_F(EmailCommandTest, AnsweredNoOpensTheLinkAfterWritingTheReport) {
  Send(" help@torvel.example ", Answer::kNo);
  ASSERT_EQ(Titles(), (std::vector<std::string>{"Email Option"}));
  EXPECT_EQ(dialogs.shown[0].text, "Do you use MS Outlook as your Email Client?");
  EXPECT_EQ(dialogs.shown[0].buttons, Buttons::kYesNo);
  EXPECT_TRUE(dialogs.report_before_question);
  EXPECT_EQ(state.email_address, " help@torvel.example ") << "the field's text, untrimmed";
  ASSERT_EQ(machine.shell.executed.size(), 1u);
  EXPECT_EQ(machine.shell.executed[0].file,
            "mailto: help@torvel.example ?subject=TORVEL%20Info.htm%20file%20attached"
            "&body=Please%20attach%20the%20%27TORVEL%20Info.htm%27%20file%20created%20in%20"
            "C%3A%5CProgram%20Files%5CTORVEL%20directory.%0D%0AThanks.");
  EXPECT_EQ(machine.shell.executed[0].show, 5);
  EXPECT_EQ(client.create_calls, 0);
}

TEST_F(EmailCommandTest, AnsweredYesSendsTheReportThroughTheMailClient) {
  Send("help@torvel.example", Answer::kYes);
  ASSERT_EQ(Titles(), (std::vector<std::string>{"Email Option", "Email Delivery"}));
  EXPECT_EQ(LastText(), "Email successfully sent. ");
  EXPECT_EQ(dialogs.shown.back().buttons, Buttons::kOk);
  EXPECT_TRUE(dialogs.report_before_question);
  EXPECT_EQ(client.create_calls, 1);
  ASSERT_EQ(client.mails.size(), 1u);
  const FakeMailClient::Mail& mail = client.mails[0];
  EXPECT_EQ(mail.to, "help@torvel.example");
  EXPECT_EQ(mail.subject, "TORVEL Info.htm File");
  EXPECT_EQ(mail.body, "TORVEL Info.htm file attached");
  ASSERT_EQ(mail.attachments.size(), 1u);
  EXPECT_EQ(mail.attachments[0].path, kReport);
  EXPECT_EQ(mail.attachments[0].content, machine.files.files.at(kReport).content);
  EXPECT_TRUE(mail.sent);
  EXPECT_TRUE(machine.shell.executed.empty());
}

TEST_F(EmailCommandTest, LaterSendsReuseTheApplicationObject) {
  Send("first@torvel.example", Answer::kYes);
  Send("second@torvel.example", Answer::kYes);
  EXPECT_EQ(client.applications, 1);
  ASSERT_EQ(client.mails.size(), 2u);
  EXPECT_EQ(client.mails[1].application, 1);
  EXPECT_EQ(client.mails[1].to, "second@torvel.example");
  EXPECT_TRUE(client.mails[1].sent);
  EXPECT_EQ(LastText(), "Email successfully sent. ");
}

TEST_F(EmailCommandTest, DriveRootAttachesThePathWithTwoSeparators) {
  machine.files.exe_folder = "D:\\";
  Send("help@torvel.example", Answer::kYes);
  ASSERT_EQ(client.mails.size(), 1u);
  ASSERT_EQ(client.mails[0].attachments.size(), 1u);
  EXPECT_EQ(client.mails[0].attachments[0].path, "D:\\\\TORVEL Info.htm");
}

TEST_F(EmailCommandTest, ReportThatCannotBeWrittenSendsNothing) {
  machine.files.fail["WriteWhole"] = 5;
  Send("help@torvel.example", Answer::kYes);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, "TORVEL Support Tool");
  EXPECT_EQ(client.create_calls, 0);
  EXPECT_TRUE(machine.shell.executed.empty());
}

TEST_F(EmailCommandTest, EachFailureOfTheClientRoadSaysSoAndWhere) {
  const long kFailed = static_cast<std::int32_t>(0x80004005);
  struct Case {
    const char* operation;
    const char* step;  // what the box says could not be done
    bool client_kept;  // whether the application object is kept for the next send
    int applications;  // application objects created by the failed send and the next one
  } cases[] = {
      {"Create", "could not be started", false, 1},
      {"CreateItem", "did not create a new mail", false, 2},
      {"To", "could not be addressed", true, 1},
      {"Attachments", "report could not be attached", true, 1},
      {"Add", "report could not be attached", true, 1},
      {"Send", "could not send the mail", true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.operation);
    machine.files.files.clear();
    dialogs.shown.clear();
    client.mails.clear();
    client.applications = 0;
    state = MailState{};
    client.fail.clear();
    client.fail.emplace(c.operation, Failure(kFailed, "The client said no."));

    Send("help@torvel.example", Answer::kYes);
    ASSERT_EQ(Titles(), (std::vector<std::string>{"Email Option", "Email Delivery"}));
    const std::string& text = LastText();
    EXPECT_NE(text.find("not sent"), std::string::npos) << text;
    EXPECT_NE(text.find(c.step), std::string::npos) << text;
    EXPECT_NE(text.find("The client said no. (error 0x80004005)"), std::string::npos) << text;
    EXPECT_NE(text.find(kReport), std::string::npos) << text;
    for (const auto& mail : client.mails) EXPECT_FALSE(mail.sent);
    EXPECT_EQ(state.client != nullptr, c.client_kept);

    client.fail.clear();
    Send("help@torvel.example", Answer::kYes);
    EXPECT_EQ(LastText(), "Email successfully sent. ") << "the next send works again";
    EXPECT_EQ(client.applications, c.applications);
  }
}

TEST_F(EmailCommandTest, ItemThatIsNotAnObjectIsAFailure) {
  client.item_missing = true;
  Send("help@torvel.example", Answer::kYes);
  ASSERT_EQ(Titles(), (std::vector<std::string>{"Email Option", "Email Delivery"}));
  EXPECT_NE(LastText().find("did not create a new mail"), std::string::npos) << LastText();
  EXPECT_EQ(state.client, nullptr);
}

}  // namespace
}  // namespace torvel
