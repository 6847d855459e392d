// The product portion of one report for a full install, timed against the real registry under
// Wine. Imports the machine fixture (and refuses to run when HKLM or HKCU "Software\VRAX" exists
// already), checks the output once against the expected report, times the runs, and removes
// what it imported.
// Usage: products_wine.exe [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/win32/registry_win32.h"
#include "products/product_sections.h"
#include "report/html_report.h"
#include "wine_timing.h"

namespace {

class CountingRegistry : public torvel::Win32Registry {
 public:
  torvel::Result<torvel::RegKey> OpenKey(torvel::RegRoot root, const std::string& path,
                                         torvel::RegView view) override {
    ++calls;
    return Win32Registry::OpenKey(root, path, view);
  }
  torvel::Result<torvel::RegData> QueryValue(torvel::RegKey key, const std::string& name) override {
    ++calls;
    return Win32Registry::QueryValue(key, name);
  }
  void CloseKey(torvel::RegKey key) override {
    ++calls;
    Win32Registry::CloseKey(key);
  }
  long calls = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  if (wine_timing::ProductsKeyExists(HKEY_LOCAL_MACHINE) ||
      wine_timing::ProductsKeyExists(HKEY_CURRENT_USER)) {
    std::printf("Software\\VRAX exists already; not touching it.\n");
    return 2;
  }
  const bool stored = wine_timing::ImportFixture();
  std::ifstream file(TORVEL_SOURCE_DIR "/tests/expected/full_report.htm", std::ios::binary);
  std::stringstream expected;
  expected << file.rdbuf();

  int result = 0;
  CountingRegistry registry;
  torvel::ReportStream first;
  torvel::WriteProductSections(torvel::RegistryValue(registry), first);
  if (!stored || first.text().empty() || expected.str().find(first.text()) == std::string::npos) {
    std::printf("The product portion is not the expected one; no timing.\n");
    result = 1;
  } else {
    wine_timing::Timing t = wine_timing::Measure(runs, [&registry] {
      torvel::ReportStream out;
      torvel::WriteProductSections(torvel::RegistryValue(registry), out);
    });
    std::printf(
        "product portion, full install, %d runs: median %.3f ms, mean %.3f ms, "
        "best %.3f ms per report, %ld registry calls per report\n",
        runs, t.median, t.mean, t.best, registry.calls / (runs + 1));
  }
  wine_timing::RemoveProducts();
  return result;
}
