// The files service on Wine's real files: a new file is never one that someone planted, and the
// report's own file is renamed into place and removed through its handle, on the road of today's
// Windows and on that of XP.
#include "platform/win32/files_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support/ui_driver.h"
#include "support/unix_shell.h"

namespace torvel {
namespace {

TEST(Win32Files, NeverCreatesOverWhatIsThere) {
  const std::string folder = bench::MakeTempDir("planted");
  ASSERT_TRUE(bench::Sh(
      folder, "echo theirs >file; mkdir folder; ln -s file link; ln -s nowhere dangling"));
  Win32Files files;
  for (const char* name : {"file", "folder", "link", "dangling"}) {
    SCOPED_TRACE(name);
    const Result<FileRef> file = files.CreateNew(folder + "\\" + name);
    ASSERT_FALSE(file);
    EXPECT_NE(file.error().text.find("exists"), std::string::npos) << file.error().code;
  }
  EXPECT_EQ(bench::ReadWholeFile(folder + "\\file"), "theirs\n");
  EXPECT_FALSE(bench::FileExists(folder + "\\nowhere"));
}

TEST(Win32Files, PlacedAndDiscardedThroughTheHandleOnEitherRoad) {
  for (bool as_on_xp : {false, true}) {
    SCOPED_TRACE(as_on_xp ? "XP" : "today");
    Win32Files files(as_on_xp);
    const std::string folder = bench::MakeTempDir("place"), report = folder + "\\r.htm";
    ASSERT_TRUE(bench::WriteWholeFile(report, "previous"));
    const Result<FileRef> placed = files.CreateNew(folder + "\\a.tmp");
    const Result<FileRef> discarded = files.CreateNew(folder + "\\b.tmp");
    ASSERT_TRUE(placed && discarded);
    EXPECT_TRUE(files.WriteAll(*placed, "new"));
    EXPECT_TRUE(files.Place(*placed, report));
    files.Discard(*discarded);
    EXPECT_EQ(bench::ReadWholeFile(report), "new");
    EXPECT_FALSE(bench::FileExists(folder + "\\a.tmp"));
    EXPECT_FALSE(bench::FileExists(folder + "\\b.tmp"));
  }
}

// A program beside Wine renames the held file away and puts a link to another file at its name:
// the rename that follows may move the link, but the run then says so, and changes, moves or
// removes nothing else.
TEST(Win32Files, ASwappedFileIsToldAndNothingElseIsTouched) {
  const std::string folder = bench::MakeTempDir("swap"), victim = folder + "\\victim.txt";
  ASSERT_TRUE(bench::WriteWholeFile(victim, "victim"));
  Win32Files files;
  const Result<FileRef> file = files.CreateNew(folder + "\\t.tmp");
  ASSERT_TRUE(file);
  ASSERT_TRUE(bench::Sh(folder, "mv t.tmp moved.tmp; ln -s victim.txt t.tmp"));
  EXPECT_TRUE(files.WriteAll(*file, "ours"));
  const Status placed = files.Place(*file, folder + "\\r.htm");
  EXPECT_EQ(placed ? 0 : placed.error().code, kChangedByAnother);
  EXPECT_EQ(bench::ReadWholeFile(victim), "victim");
  EXPECT_EQ(bench::ReadWholeFile(folder + "\\moved.tmp"), "ours");
}

TEST(Win32Files, OneFileInAnySpelling) {
  const std::string folder = bench::MakeTempDir("spelling"), file = folder + "\\Report.htm";
  ASSERT_TRUE(CreateDirectoryA((folder + "\\A long folder name").c_str(), nullptr));
  ASSERT_TRUE(bench::WriteWholeFile(file, "x"));
  ASSERT_TRUE(bench::Sh(folder, "ln -s Report.htm link.htm"));
  char short_name[MAX_PATH] = "";
  GetShortPathNameA((folder + "\\A long folder name").c_str(), short_name, MAX_PATH);
  Win32Files files;
  for (auto [a, b, same] :
       {std::tuple{file, folder + "\\REPORT.HTM", true},
        {file, folder + "\\.\\x\\..\\Report.htm", true},
        {file, "\\\\?\\" + file, true},
        {file, folder + "\\link.htm", true},
        {std::string(short_name) + "\\new.json", folder + "\\A long folder name\\NEW.json", true},
        {file, folder + "\\Report.json", false},
        {folder + "\\new.htm", folder + "\\new.json", false}}) {
    SCOPED_TRACE(a + " " + b);
    EXPECT_EQ(files.SameFile(a, b), same);
  }
}

}  // namespace
}  // namespace torvel
