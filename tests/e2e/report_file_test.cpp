// The report file under hostile conditions, with the real tool under Wine: a drive root, a
// report held open by another program, folder names and values with markup characters and
// bytes above 127, and a very long PATH.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/ui_driver.h"

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Runs the tool silently in `folder`; returns its exit code (99 when it did not end in time).
DWORD RunSilent(const std::string& exe, const std::string& folder,
                const std::string& arguments = "/report") {
  bench::Process tool;
  if (!tool.Start(exe, arguments, folder)) return 98;
  DWORD code = 99;
  tool.WaitExit(60000, &code);
  return code;
}

// The value of a label line of the report ("PATH :" ...), without its label.
std::string LineAfter(const std::string& report, const std::string& label) {
  std::size_t at = report.find("\r\n" + label);
  if (at == std::string::npos) return "<missing>";
  at += 2 + label.size();
  return report.substr(at, report.find("\r\n", at) - at);
}

TEST(ReportFile, DriveRootGivesTwoSeparatorsAndTheReportInTheRoot) {
  // T: is the build's drive-root folder (scripts/wine-prefix-setup).
  std::string exe = "T:\\TORVELSupport.exe";
  ASSERT_TRUE(CopyFileA(bench::ToolExe().c_str(), exe.c_str(), FALSE));
  DeleteFileA("T:\\TORVEL Info.htm");
  EXPECT_EQ(RunSilent(exe, "T:\\"), 0u);
  auto report = bench::ReadWholeFile("T:\\\\TORVEL Info.htm");
  ASSERT_TRUE(report.has_value());
  EXPECT_TRUE(EndsWith(*report, "</body>\r\n"));
  EXPECT_TRUE(bench::FileExists("T:\\TORVEL Info.htm"));
  DeleteFileA("T:\\TORVEL Info.htm");
  DeleteFileA(exe.c_str());
}

TEST(ReportFile, ReportHeldOpenByAnotherProgramFailsClearlyAndStaysWhole) {
  std::string folder = bench::MakeTempDir("locked");
  std::string exe = bench::CopyToolInto(folder);
  std::string report = folder + "\\TORVEL Info.htm";
  ASSERT_TRUE(bench::WriteWholeFile(report, "previous report\r\n"));
  // Another program has the report open and shares nothing.
  HANDLE held = CreateFileA(report.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::string errors = folder + "\\stderr.txt";
  bench::Process tool;
  ASSERT_TRUE(tool.Start(exe, "/report", folder, errors));
  DWORD code = 0;
  ASSERT_TRUE(tool.WaitExit(60000, &code));
  CloseHandle(held);
  EXPECT_NE(code, 0u);
  EXPECT_EQ(bench::ReadWholeFile(report).value_or(""), "previous report\r\n");
  EXPECT_FALSE(bench::FileExists(report + ".tmp")) << "no temporary file is left behind";
  std::string text = bench::ReadWholeFile(errors).value_or("");
  EXPECT_NE(text.find("The report could not be written to " + report + "."), std::string::npos)
      << text;
  // Once the other program lets go, the next run succeeds.
  EXPECT_EQ(RunSilent(exe, folder), 0u);
  EXPECT_TRUE(EndsWith(bench::ReadWholeFile(report).value_or(""), "</body>\r\n"));
}

TEST(ReportFile, MarkupAndHighBytesInNamesAndValuesAreWrittenSafely) {
  // A folder name with an ampersand, a quote-like apostrophe and a byte above 127 (code page
  // 1252 e-acute).
  std::string folder = bench::MakeTempDir("odd") + "\\R&D 'tools' caf\xe9";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  std::string exe = bench::CopyToolInto(folder);
  ASSERT_FALSE(exe.empty());
  ASSERT_TRUE(SetEnvironmentVariableA("TORVELK", "<b>bold</b> & \"quoted\" \xe9t\xe9"));
  DWORD code = RunSilent(exe, folder);
  SetEnvironmentVariableA("TORVELK", nullptr);
  EXPECT_EQ(code, 0u);
  auto report = bench::ReadWholeFile(folder + "\\TORVEL Info.htm");
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(LineAfter(*report, "TORVELK :                "),
            "&lt;b&gt;bold&lt;/b&gt; &amp; \"quoted\" \xe9t\xe9</pre>");
  EXPECT_EQ(report->find("<b>bold"), std::string::npos) << "markup from the machine got through";
}

TEST(ReportFile, LongestPathIsReportedWhole) {
  std::string folder = bench::MakeTempDir("path");
  std::string exe = bench::CopyToolInto(folder);
  // An environment value may hold 32,767 characters including its terminating NUL.
  std::string path = "C:\\windows\\system32;C:\\windows";
  std::string filler = ";C:\\Program Files\\Tool";
  while (path.size() + filler.size() <= 32766) path += filler;
  path.append(32766 - path.size(), 'x');
  char saved[32767];
  DWORD saved_length = GetEnvironmentVariableA("PATH", saved, sizeof saved);
  ASSERT_TRUE(SetEnvironmentVariableA("PATH", path.c_str()));
  DWORD code = RunSilent(exe, folder);
  SetEnvironmentVariableA("PATH", saved_length ? saved : nullptr);
  EXPECT_EQ(code, 0u);
  auto report = bench::ReadWholeFile(folder + "\\TORVEL Info.htm");
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(LineAfter(*report, "PATH :                   "), path);
}

TEST(ReportFile, MegabyteRegistryValueReachesTheReport) {
  const char* key_path = "Software\\VRAX\\TORVEL/ELX\\ELX Current Version";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_path, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  std::string big(1 << 20, 'v');
  big.replace(0, 6, "C:\\<&>");
  RegSetValueExA(key, "PATHTOELX", 0, REG_SZ, reinterpret_cast<const BYTE*>(big.c_str()),
                 static_cast<DWORD>(big.size() + 1));
  RegCloseKey(key);
  std::string folder = bench::MakeTempDir("bigvalue");
  std::string exe = bench::CopyToolInto(folder);
  DWORD code = RunSilent(exe, folder);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\VRAX");
  EXPECT_EQ(code, 0u);
  auto report = bench::ReadWholeFile(folder + "\\TORVEL Info.htm");
  ASSERT_TRUE(report.has_value());
  std::string escaped = "C:\\&lt;&amp;&gt;" + big.substr(6);
  EXPECT_NE(report->find("Install Dir:  " + escaped + " - installed on: "), std::string::npos);
  EXPECT_TRUE(EndsWith(*report, "</body>\r\n"));
}

}  // namespace
