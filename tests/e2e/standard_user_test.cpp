// A user who cannot write the program's folder (scripts/standard-user runs this as one): the
// report goes to Documents, else to the temporary folder, and the silent mode says where; a file
// named on the command line is never put anywhere else. (The window's commands choose the same
// folder, which their transcripts check on the fake machine.)
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/ui_driver.h"
#include "support/unix_shell.h"

namespace {

constexpr wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// The tool in base\program, Documents at base\documents (Wine's would be the Unix home), the
// program's folder read-only to this user.
class StandardUser : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirectoryW(bench::W(program_).c_str(), nullptr) &&
                CreateDirectoryW(bench::W(documents_).c_str(), nullptr) &&
                !(exe_ = bench::CopyToolInto(program_)).empty() && ReadOnly("program"));
    // Before anything else can fail: every test of a run skips or none does, so that ctest's
    // skip (a line of the output) never hides a failure.
    if (bench::WriteWholeFile(program_ + "\\probe", "")) {
      GTEST_SKIP() << "this user writes a folder of mode 555 (root): scripts/standard-user runs "
                      "this test as a user who cannot";
    }
    const std::wstring documents = bench::W(documents_);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Personal", REG_EXPAND_SZ,
                              documents.c_str(), (documents.size() + 1) * sizeof(wchar_t)),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    ReadOnly("");  // so that the build can be removed
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Personal");
  }
  // Makes `folders` of base read-only and the others writable, through the Unix side.
  bool ReadOnly(const std::string& folders) {
    const std::string script = "chmod 755 program documents";
    return bench::Sh(base_, folders.empty() ? script : script + " && chmod 555 " + folders);
  }

  const std::string base_ = bench::MakeTempDir("user"), program_ = base_ + "\\program",
                    documents_ = base_ + "\\documents";
  std::string exe_;
};

TEST_F(StandardUser, SilentRunsWriteToDocumentsElseTempAndSaySoButNamedFilesStay) {
  wchar_t temp[MAX_PATH];
  const std::string in_temp = bench::U({temp, GetTempPathW(MAX_PATH, temp)}) + "TORVEL Info.htm";
  const std::string htm = documents_ + "\\TORVEL Info.htm",
                    json = documents_ + "\\TORVEL Info.json";
  const std::string beside = program_ + "\\TORVEL Info.htm";
  auto moved = [](const std::string& file) {  // the line for a file not in the program's folder
    return "The program's folder cannot be written to; the report is written to " + file + ".\r\n";
  };
  const std::string advice = "copy the tool to a folder you can write to, or name another file";
  struct Case {
    std::string arguments, read_only;  // folders of base_ that the user cannot write
    DWORD code;
    std::vector<std::string> written;      // of htm, json, in_temp and beside
    std::string output = "", failed = "";  // standard output; the file standard error names
  };
  for (const Case& c :
       std::vector<Case>{{"/report /json", "program", 0, {htm, json}, moved(htm) + moved(json)},
                         {"/report r.htm", "program", 1, {}, "", program_ + "\\r.htm"},
                         {"/report /json r.json", "program", 1, {}, "", program_ + "\\r.json"},
                         {"/report", "program documents", 0, {in_temp}, moved(in_temp)},
                         {"/report", "", 0, {beside}}}) {
    SCOPED_TRACE(c.arguments + " with " + c.read_only + " read-only");
    for (const std::string& file : {htm, json, in_temp}) DeleteFileW(bench::W(file).c_str());
    ASSERT_TRUE(ReadOnly(c.read_only));
    EXPECT_EQ(
        bench::Run(exe_, c.arguments, program_, base_ + "\\error.txt", base_ + "\\output.txt"),
        c.code);
    EXPECT_EQ(bench::ReadWholeFile(base_ + "\\output.txt"), c.output);
    const std::string error = bench::ReadWholeFile(base_ + "\\error.txt").value_or("?");
    EXPECT_TRUE(c.failed.empty()
                    ? error.empty()
                    : error.find("written to " + c.failed + ". ") != std::string::npos &&
                          error.find(advice) != std::string::npos)
        << error;
    for (const std::string& file : {htm, json, in_temp, beside}) {
      EXPECT_EQ(bench::FileExists(file), std::ranges::count(c.written, file) == 1) << file;
    }
  }
}

}  // namespace
