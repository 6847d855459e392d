#pragma once
// What the Wine timing programs share: the machine fixture they install, and a clock.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace wine_timing {

inline constexpr char kProductsKey[] = "Software\\VRAX";

// True when "Software\VRAX" exists under `root` (the programs never touch an existing one).
inline bool ProductsKeyExists(HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, kProductsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Imports the machine fixture (tests/fixtures/machine.reg) with regedit, as an installer would
// leave the registry; false when it could not be run.
inline bool ImportFixture() {
  std::string path = "Z:" TORVEL_SOURCE_DIR "/tests/fixtures/machine.reg";
  std::replace(path.begin(), path.end(), '/', '\\');
  std::string command_line = "regedit.exe /S \"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  DWORD code = 1;
  WaitForSingleObject(process.hProcess, 30000);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code == 0;
}

// Removes what the fixture installed.
inline void RemoveProducts() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    RegDeleteTreeA(root, kProductsKey);
    RegDeleteTreeA(root, "Software\\Partwright");
  }
}

// Milliseconds from the performance counter.
inline double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Timing {
  double median = 0;
  double mean = 0;
  double best = 0;
};

// Times `runs` calls of `work` (at least one), in milliseconds.
inline Timing Measure(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < std::max(1, runs); ++i) {
    const double before = Now();
    work();
    times.push_back(Now() - before);
  }
  std::sort(times.begin(), times.end());
  double total = 0;
  for (double t : times) total += t;
  return {times[times.size() / 2], total / static_cast<double>(times.size()), times.front()};
}

}  // namespace wine_timing
