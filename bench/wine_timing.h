#pragma once
// What the Wine timing programs share: the products key they install under, and a clock.
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

// Writes one text value the way an installer would.
inline bool Store(const std::string& root, const std::string& path, const std::string& name,
                  const std::string& text) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, path.c_str(), 0,
                      nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG code =
      RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
  return code == ERROR_SUCCESS;
}

inline void RemoveProducts() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductsKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kProductsKey);
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
