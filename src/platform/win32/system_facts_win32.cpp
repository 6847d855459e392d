#include "platform/win32/system_facts_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/owned.h"
#include "platform/win32/utf8.h"

namespace torvel {

namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

OsVersionRecord Win32SystemFacts::Version() {
  // The true version from 8.1 on relies on the manifest's supportedOS entries.
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&info);
#pragma GCC diagnostic pop
  OsVersionRecord record;
  record.major = info.dwMajorVersion;
  record.minor = info.dwMinorVersion;
  record.build = info.dwBuildNumber;
  record.platform_id = info.dwPlatformId;
  // A field that fills its array with no NUL holds no text.
  const std::size_t length = wcsnlen(info.szCSDVersion, std::size(info.szCSDVersion));
  if (length < std::size(info.szCSDVersion))
    record.service_pack = Utf8({info.szCSDVersion, length});
  return record;
}

ProcessorRecord Win32SystemFacts::Processor() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return {info.dwProcessorType, info.dwNumberOfProcessors};
}

MemoryRecord Win32SystemFacts::Memory() {
  // The extended call: GlobalMemoryStatus caps its 32-bit figures at 2 GB in a 32-bit process.
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return {};
  return {status.ullTotalPhys, status.ullAvailPhys, status.ullTotalPageFile};
}

Result<DiskFigures> Win32SystemFacts::DiskSpace(const std::string& root) {
  ULARGE_INTEGER available{}, total{}, free{};
  // No "insert the disk" box for an empty removable drive: the query just fails.
  UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
  BOOL ok = GetDiskFreeSpaceExW(Wide(root).c_str(), &available, &total, &free);
  const DWORD code = GetLastError();
  SetErrorMode(previous);
  if (!ok) return ErrorInfo{static_cast<long>(code), ""};
  return DiskFigures{total.QuadPart, free.QuadPart};
}

ScreenMetrics Win32SystemFacts::Screen() {
  WindowDc screen(nullptr);
  int dpi_x = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  int dpi_y = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  if (dpi_x <= 0) dpi_x = 96;
  if (dpi_y <= 0) dpi_y = 96;
  ScreenMetrics metrics;
  metrics.twips_per_pixel_x = kTwipsPerInch / dpi_x;
  metrics.twips_per_pixel_y = kTwipsPerInch / dpi_y;
  metrics.width_twips = GetSystemMetrics(SM_CXSCREEN) * metrics.twips_per_pixel_x;
  metrics.height_twips = GetSystemMetrics(SM_CYSCREEN) * metrics.twips_per_pixel_y;
  return metrics;
}

int Win32SystemFacts::DeviceCaps(int index) {
  WindowDc dc(static_cast<HWND>(window_));
  return dc.get() ? GetDeviceCaps(dc.get(), index) : 0;
}

std::string Win32SystemFacts::DateText() {
  wchar_t buffer[128];
  int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, 128);
  return length > 0 ? Utf8({buffer, static_cast<std::size_t>(length - 1)}) : std::string();
}

std::string Win32SystemFacts::TimeText() {
  wchar_t buffer[128];
  int length = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, 128);
  return length > 0 ? Utf8({buffer, static_cast<std::size_t>(length - 1)}) : std::string();
}

}  // namespace torvel
