// The yardstick for the tool's silent run: a program that asks Windows for the same machine facts
// as the report and writes them to a file, and nothing else (no registry, no automation, no
// layers). Usage: machine_facts.exe FILE
#include <winsock2.h>
// after winsock2.h, which they need
#include <iphlpapi.h>
#include <nb30.h>
#include <shellapi.h>
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  FILE* out = count > 1 ? _wfopen(args[1], L"wb") : nullptr;
  if (!out) return 1;
  wchar_t text[32768];
  DWORD size = 256;
  GetUserNameW(text, &size);
  size = MAX_COMPUTERNAME_LENGTH + 1;
  GetComputerNameW(text, &size);
  fprintf(out, "%llu\n", static_cast<unsigned long long>(GetTickCount64()));
  NCB control{};
  ADAPTER_STATUS status{};
  control.ncb_command = NCBASTAT;
  control.ncb_buffer = reinterpret_cast<UCHAR*>(&status);
  control.ncb_length = sizeof status;
  control.ncb_callname[0] = '*';
  Netbios(&control);
  ULONG bytes = 16384;
  static BYTE adapters[16384];
  GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(adapters),
                       &bytes);
  WSADATA sockets;
  char host[256] = "";
  if (WSAStartup(MAKEWORD(1, 1), &sockets) == 0) {
    gethostname(host, sizeof host);
    gethostbyname(host);
    WSACleanup();
  }
  OSVERSIONINFOEXW version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version));
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof memory;
  GlobalMemoryStatusEx(&memory);
  ULARGE_INTEGER available, total, free;
  GetDiskFreeSpaceExW(L"C:\\", &available, &total, &free);
  HDC screen = GetDC(nullptr);
  fprintf(out, "%d x %d, %d bits, %d dpi\n", GetSystemMetrics(SM_CXSCREEN),
          GetSystemMetrics(SM_CYSCREEN), GetDeviceCaps(screen, BITSPIXEL),
          GetDeviceCaps(screen, LOGPIXELSX));
  ReleaseDC(nullptr, screen);
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 128);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, 128);
  GetTempPathW(MAX_PATH + 1, text);
  GetEnvironmentVariableW(L"Path", text, 32768);
  GetEnvironmentVariableW(L"TORVELK", text, 32768);
  fprintf(out, "%lu.%lu %llu\n", version.dwMajorVersion, version.dwMinorVersion,
          static_cast<unsigned long long>(memory.ullTotalPhys));
  return fclose(out) == 0 ? 0 : 1;
}
