// The commands on the fake machine: what View/Save and E-mail ask, show and start, and in which
// folder; the system information viewer that About starts. What each case shows and does is its
// transcript in tests/expected/command_transcripts.txt.
#include "commands/commands.h"

#include "commands/email_command.h"
#include "commands/viewer_launcher.h"
#include "unit/test_support.h"

namespace torvel::testing {

// A program folder that cannot be written: Documents, else the temporary folder, for every
// command; none at all fails as ever. Nothing is left but the report.
TEST(Commands, ViewSaveAndEmailInTheFirstFolderThatCanBeWritten) {
  const std::string program = "C:\\Program Files\\TORVEL",
                    documents = "C:\\Users\\j.smith\\Documents";
  const std::vector<std::string> in_temporary = {program, documents},
                                 nowhere = {program, documents, "C:\\Users\\j.smith\\Temp"};
  struct Case {
    const char* transcript;
    const char* recipient;  // none: View/Save
    Answer answer;          // to the first question
    Fault fault = {};
    std::vector<std::string> unwritable = {};
    bool private_report = false;  // then the report, and a link's body, hold no user's name
  };
  // clang-format off
  const Case cases[] = {
      {"view-save-view", nullptr, Answer::kYes},
      {"view-save-confirm", nullptr, Answer::kNo},
      {"view-save-not-placed", nullptr, Answer::kYes, {Op::kPlace, kStatus}},
      {"email-no-recipient", "", Answer::kYes},
      {"email-by-link", " a@b?cc=c", Answer::kNo},  // the address keeps its own fields
      {"view-save-in-documents", nullptr, Answer::kNo, {}, {program}},
      {"email-in-documents", "a@b", Answer::kYes, {}, {program}},
      {"view-save-in-documents", nullptr, Answer::kNo, {}, {program}, true},
      {"email-by-link-private", "a@b", Answer::kNo, {}, {program}, true},
      {"view-save-in-temporary", nullptr, Answer::kNo, {}, in_temporary},
      {"email-in-temporary", "a@b", Answer::kYes, {}, in_temporary},
      {"view-save-nowhere", nullptr, Answer::kNo, {}, nowhere},
      {"email-nowhere", "a@b", Answer::kYes, {}, nowhere}};
  // clang-format on
  for (const Case& c : cases) {
    Machine m;
    MailState state;
    m.host_installed = false;
    m.fail = c.fault;
    m.answers = {c.answer};
    m.unwritable = c.unwritable;
    if (c.recipient) EmailCommand(m.sources(), m, m, m, c.recipient, state, c.private_report);
    if (!c.recipient) SaveViewCommand(m.sources(), m, m, 7, c.private_report);
    const std::string transcript = Transcript(m.log);
    EXPECT_EQ(transcript, ExpectedTranscript(c.transcript)) << c.transcript;
    EXPECT_EQ(m.files.size(), transcript.find("\nwrote ") == std::string::npos ? 0u : 1u);
    if (!m.files.empty()) {
      EXPECT_EQ(m.files.begin()->second.first.find("j.smith") == std::string::npos,
                c.private_report);
    }
  }
}

TEST(Commands, TheSystemInformationViewerFromItsPathOrFolderElseABox) {
  struct Case {
    const char* transcript;
    std::uint32_t type;  // of the PATH value; 0: none
    std::string path;
    std::optional<std::uint32_t> attributes;  // of MSINFO32.EXE in the MSINFO folder, if there
    bool starts = true;
  };
  for (const Case& c :
       {Case{"viewer-path-not-started", kRegSz, std::string("C:\\v.exe\0", 9), {}, false},
        {"viewer-path-a-number", kRegDword, std::string("\x05\x01\0\0", 4), {}},
        {"viewer-in-its-folder", kRegSz, std::string(1025, 'x'), 0},  // a path too long
        {"viewer-none", 0, "", kAttrHidden}}) {
    Machine m(false);
    if (c.type) m.SetValue(kHklm, kSysInfoKey, "PATH", c.type, c.path);
    m.SetValue(kHklm, kSysInfoLocationKey, "MSINFO", kRegSz, "C:\\f");
    if (c.attributes) m.files["C:\\f\\MSINFO32.EXE"] = {"", *c.attributes};
    m.start_ok = c.starts;
    StartSysInfo(m, m, m, m);
    EXPECT_EQ(Transcript(m.log), ExpectedTranscript(c.transcript)) << c.transcript;
    EXPECT_TRUE(m.handles.empty());
  }
}

}  // namespace torvel::testing
