// Stands in for the programs that open documents and mailto links: appends its command line
// to recorder-log.txt beside itself, one line per start, and exits.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH];
  std::string log(path, GetModuleFileNameA(nullptr, path, MAX_PATH)), line = GetCommandLineA();
  log = log.substr(0, log.rfind('\\') + 1) + "recorder-log.txt";
  HANDLE file =
      CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  DWORD written = 0;
  return !(WriteFile(file, (line + "\r\n").data(), line.size() + 2, &written, nullptr) &&
           CloseHandle(file));
}
