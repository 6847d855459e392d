#include "app/commands.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace torvel {
namespace {

using testing::FakeMachine;

class SaveViewTest : public ::testing::Test {
 protected:
  void Run(const std::string& folder, Answer answer) {
    machine.files.exe_folder = folder;
    machine.dialogs.answers.push_back(answer);
    Platform p = machine.platform();
    SaveViewCommand(p, 0x1234);
  }
  FakeMachine machine;
};

TEST_F(SaveViewTest, AnsweredNoWritesTheReportAndConfirms) {
  Run("C:\\Tools", Answer::kNo);
  ASSERT_EQ(machine.dialogs.shown.size(), 2u);
  EXPECT_EQ(machine.dialogs.shown[0].title, "View/Save to a File");
  EXPECT_EQ(machine.dialogs.shown[0].text,
            " Do you want to view the information?\r\n(Information will be automatically saved "
            "to C:\\Tools\\TORVEL Info.htm File.)");
  EXPECT_EQ(machine.dialogs.shown[0].buttons, Buttons::kYesNo);
  EXPECT_EQ(machine.dialogs.shown[1].title, "View/Save to a File");
  EXPECT_EQ(machine.dialogs.shown[1].text,
            "Information written to C:\\Tools\\TORVEL Info.htm File. ");
  EXPECT_EQ(machine.dialogs.shown[1].buttons, Buttons::kOk);
  EXPECT_EQ(machine.files.files.count("C:\\Tools\\TORVEL Info.htm"), 1u);
  EXPECT_TRUE(machine.shell.executed.empty());
  EXPECT_EQ(machine.dialogs.busy_depth, 0);
  EXPECT_GT(machine.dialogs.busy_calls, 0) << "the wait cursor shows while the report is written";
}

TEST_F(SaveViewTest, AnsweredYesWritesAndOpensTheReport) {
  Run("C:\\Tools", Answer::kYes);
  ASSERT_EQ(machine.dialogs.shown.size(), 1u);
  EXPECT_EQ(machine.files.files.count("C:\\Tools\\TORVEL Info.htm"), 1u);
  ASSERT_EQ(machine.shell.executed.size(), 1u);
  const auto& open = machine.shell.executed[0];
  EXPECT_EQ(open.owner, 0x1234u);
  EXPECT_EQ(open.operation, "");
  EXPECT_EQ(open.file, "C:\\Tools\\TORVEL Info.htm");
  EXPECT_EQ(open.parameters, "");
  EXPECT_EQ(open.directory, "C:\\");
  EXPECT_EQ(open.show, 1);
}

TEST_F(SaveViewTest, DriveRootShowsTwoSeparators) {
  Run("D:\\", Answer::kNo);
  ASSERT_EQ(machine.dialogs.shown.size(), 2u);
  EXPECT_NE(machine.dialogs.shown[0].text.find("saved to D:\\\\TORVEL Info.htm File.)"),
            std::string::npos);
  EXPECT_EQ(machine.dialogs.shown[1].text, "Information written to D:\\\\TORVEL Info.htm File. ");
  EXPECT_EQ(machine.files.files.count("D:\\\\TORVEL Info.htm"), 1u);
}

TEST_F(SaveViewTest, FailedReportShowsOneMessageAndNeitherOpensNorConfirms) {
  for (Answer answer : {Answer::kYes, Answer::kNo}) {
    FakeMachine machine;
    machine.files.exe_folder = "C:\\Tools";
    machine.files.files["C:\\Tools\\TORVEL Info.htm"] = {"previous", kAttrReadOnly};
    machine.dialogs.answers.push_back(answer);
    Platform p = machine.platform();
    SaveViewCommand(p, 0);
    ASSERT_EQ(machine.dialogs.shown.size(), 2u);
    EXPECT_EQ(machine.dialogs.shown[1].title, "TORVEL Support Tool");
    EXPECT_EQ(machine.dialogs.shown[1].text,
              "The report could not be written to C:\\Tools\\TORVEL Info.htm.\r\nError text 5.");
    EXPECT_TRUE(machine.shell.executed.empty());
    EXPECT_EQ(machine.files.files.at("C:\\Tools\\TORVEL Info.htm").content, "previous");
    EXPECT_EQ(machine.dialogs.busy_depth, 0);
  }
}

}  // namespace
}  // namespace torvel
