#include "platform/win32/clock_win32.h"

#include <windows.h>

namespace torvel {

std::uint64_t Win32Clock::TickCount() {
  // GetTickCount64 exists from Vista on; XP has only the 32-bit count, which wraps.
  using TickCount64 = ULONGLONG(WINAPI*)();
  static const auto tick_count_64 = reinterpret_cast<TickCount64>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
  return tick_count_64 ? tick_count_64() : GetTickCount();
}

}  // namespace torvel
