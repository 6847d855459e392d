// The product sections of the real tool under Wine: the registry of a full install imported
// from a .reg file, and partial installs written value by value; the report written with
// "/report FILE" must hold exactly the expected product portion.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "../expected/product_portion.h"
#include "support/ui_driver.h"

namespace {

using torvel::expected::ProductMachine;

// What this test imports, removed before and after so that other tests see a clean machine.
constexpr char kProductsKey[] = "Software\\VRAX";

std::string WindowsPath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path[0] == '\\' ? "Z:" + path : path;
}

std::string FixturePath() {
  return WindowsPath(std::string(TORVEL_SOURCE_DIR) + "/tests/e2e/fixtures/products_full.reg");
}

void RemoveProducts() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductsKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kProductsKey);
}

bool Exists(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Writes one value the way an installer would.
void StoreValue(const std::string& root, const std::string& path, const std::string& name,
                const std::string& text) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, path.c_str(),
                            0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
}

// The lines between the environment block and the host section.
std::string ProductPortion(const std::string& report) {
  const std::string environment_end = "</pre>\r\n";
  const std::string host_start = std::string("\r\n") + torvel::kSectionRule + "\r\n" +
                                 torvel::kBoldHeadingPrefix + "Partwright Information</p>";
  std::size_t start = report.find(environment_end, report.find("TORVELK :"));
  std::size_t end = report.find(host_start);
  if (start == std::string::npos || end == std::string::npos) return "<portion not found>";
  start += environment_end.size();
  return end >= start ? report.substr(start, end - start) : "<portion out of order>";
}

std::string RunReport() {
  std::string folder = bench::MakeTempDir("products");
  std::string report = folder + "\\report.htm";
  bench::Process tool;
  if (!tool.Start(bench::ToolExe(), "/report \"" + report + "\"", folder)) return "<not started>";
  DWORD exit_code = 1;
  if (!tool.WaitExit(bench::kWaitMs, &exit_code)) return "<no exit>";
  if (exit_code != 0) return "<exit " + std::to_string(exit_code) + ">";
  std::optional<std::string> text = bench::ReadWholeFile(report);
  DeleteFileA(report.c_str());
  RemoveDirectoryA(folder.c_str());
  return text ? ProductPortion(*text) : "<no report>";
}

class ProductsTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveProducts(); }
  void TearDown() override { RemoveProducts(); }
};

TEST_F(ProductsTest, FullInstallFromTheFixture) {
  bench::Process regedit;
  ASSERT_TRUE(regedit.Start("C:\\windows\\regedit.exe", "/S \"" + FixturePath() + "\""));
  ASSERT_TRUE(regedit.WaitExit(bench::kWaitMs));
  ASSERT_TRUE(Exists(HKEY_LOCAL_MACHINE, "Software\\VRAX\\TORVELKinema\\Current Version"));

  ProductMachine describing(
      [](const std::string&, const std::string&, const std::string&, const std::string&) {},
      [](const std::string&, const std::string&) { return true; });
  EXPECT_EQ(RunReport(), torvel::expected::FullInstall(describing));
}

TEST_F(ProductsTest, PartialInstalls) {
  struct Case {
    const char* name;
    std::function<bool(const std::string&, const std::string&)> installed;
    std::function<std::string(ProductMachine&)> sections;
  } cases[] = {
      {"nothing", [](const std::string&, const std::string&) { return false; },
       [](ProductMachine&) { return std::string(); }},
      {"TORVELK without Current Version, TORVELKinema 2005 only",
       [](const std::string& key, const std::string&) {
         return key == "Software\\VRAX\\TORVEL/K" || key == "Software\\VRAX\\TORVELKinema\\2005";
       },
       [](ProductMachine& m) {
         std::string text = torvel::expected::K(m);
         return text + torvel::expected::Kinema(m);
       }},
      {"TORVELFrame user settings and TORVELDraftPilot CURRENT_VERSION",
       [](const std::string& key, const std::string& name) {
         return key == "Software\\VRAX\\TORVEL/FRAME\\Results" ? name == "WORKPATHNAME"
                                                               : name == "CURRENT_VERSION";
       },
       [](ProductMachine& m) {
         std::string text = torvel::expected::FrameUser(m);
         return text + torvel::expected::DraftPilot(m);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RemoveProducts();
    ProductMachine m([](const std::string& root, const std::string& key, const std::string& name,
                        const std::string& text) { StoreValue(root, key, name, text); },
                     c.installed);
    const std::string expected = c.sections(m);
    EXPECT_EQ(RunReport(), expected);
  }
}

}  // namespace
