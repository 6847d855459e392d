#include "platform/win32/clock_win32.h"

#include <windows.h>

#include "platform/win32/system_library.h"

namespace torvel {
namespace {

// GetTickCount64 exists from Vista on; XP has only the 32-bit count, which wraps.
ULONGLONG WINAPI TickCount64OrFallback() {
  static const auto tick_count_64 =
      SystemFunction<ULONGLONG(WINAPI*)()>(L"kernel32.dll", "GetTickCount64");
  return tick_count_64 ? tick_count_64() : GetTickCount();
}

}  // namespace

std::uint64_t Win32Clock::TickCount() { return TickCount64OrFallback(); }

UtcTime Win32Clock::Now() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace torvel

// The static thread library of the C++ runtime calls GetTickCount64 directly, which would make
// the program refuse to load on XP. Its import slot is defined here instead, so the linker takes
// no kernel32 import for it and every caller goes through the fallback above.
extern "C" {
ULONGLONG(WINAPI* torvel_import_GetTickCount64)
() __asm__("__imp__GetTickCount64@0") = &torvel::TickCount64OrFallback;
}
