#include "support/ui_driver.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace bench {

std::string BinDir() {
  wchar_t path[MAX_PATH];
  std::wstring full(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return U(full.substr(0, full.find_last_of(L'\\')));
}

std::string ToolExe() { return BinDir() + "\\TORVELSupport.exe"; }

std::string MakeTempDir(const std::string& tag) {
  wchar_t temp[MAX_PATH], name[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  bool made = GetTempFileNameW(temp, W(tag).c_str(), 0, name) && DeleteFileW(name) &&
              CreateDirectoryW(name, nullptr);
  return made ? U(name) : "";
}

std::string CopyToolInto(const std::string& folder) {
  std::string copy = folder + "\\TORVELSupport.exe";
  return CopyFileW(W(ToolExe()).c_str(), W(copy).c_str(), FALSE) ? copy : std::string();
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream file(W(path).c_str(), std::ios::binary);  // shared: its writer may have it open
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(W(path).c_str(), std::ios::binary);
  return static_cast<bool>(file.write(bytes.data(), bytes.size()).flush());
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(W(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  for (DWORD start = GetTickCount(); !condition(); Sleep(25)) {
    if (GetTickCount() - start > timeout_ms) return false;
  }
  return true;
}

bool Process::Start(const std::string& exe, const std::string& arguments, const std::string& folder,
                    const std::string& error_file, const std::string& output_file) {
  std::wstring command_line = W("\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  auto open = [&](const std::string& file, DWORD standard) {
    return file.empty() ? GetStdHandle(standard)
                        : CreateFileW(W(file).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                      CREATE_ALWAYS, 0, 0);
  };
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = open(output_file, STD_OUTPUT_HANDLE);
  startup.hStdError = open(error_file, STD_ERROR_HANDLE);
  bool started =
      CreateProcessW(W(exe).c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                     folder.empty() ? nullptr : W(folder).c_str(), &startup, &info_);
  if (!output_file.empty()) CloseHandle(startup.hStdOutput);
  if (!error_file.empty()) CloseHandle(startup.hStdError);
  return started;
}

bool Process::WaitExit(DWORD timeout_ms, DWORD* exit_code) {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, timeout_ms) == WAIT_OBJECT_0 &&
         (!exit_code || GetExitCodeProcess(info_.hProcess, exit_code));
}

Process::~Process() {
  if (!info_.hProcess) return;
  if (!WaitExit(0) && TerminateProcess(info_.hProcess, 99)) WaitExit(5000);
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

DWORD Run(const std::string& exe, const std::string& arguments, const std::string& folder,
          const std::string& error_file, const std::string& output_file) {
  Process program;
  DWORD code = 99;
  return program.Start(exe, arguments, folder, error_file, output_file) &&
                 program.WaitExit(60000, &code)
             ? code
             : 99;
}

HWND WaitForWindow(DWORD pid, const std::string& title) {
  HWND found = nullptr;
  WaitUntil([&] {
    while ((found = FindWindowExA(nullptr, found, nullptr, nullptr))) {
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (owner == pid && IsWindowVisible(found) && WindowText(found) == title) return true;
    }
    return false;
  });
  return found;
}

std::string WindowText(HWND hwnd) {
  char text[4096];
  DWORD_PTR length = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &length);
  return std::string(text, length);
}

std::string ClassOf(HWND hwnd) {
  char name[256];
  return std::string(name, GetClassNameA(hwnd, name, sizeof name));
}

bool PressKeys(HWND window, const std::string& keys) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  // Keys go to whatever has the input as they come, so first the window's program is past its
  // start and the window enabled (no box of its own open), answering, foreground and active.
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
  bool ready =
      process && WaitForInputIdle(process, kWaitMs) == 0 && WaitUntil([&] {
        return IsWindowEnabled(window) &&
               SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, nullptr) &&
               SetForegroundWindow(window) && GetForegroundWindow() == window;
      });
  CloseHandle(process);
  std::istringstream words(keys);
  for (std::string word; ready && words >> word;) {
    const bool alt = word.rfind("Alt+", 0) == 0;
    const BYTE key = word == "Enter" ? VK_RETURN : word == "Esc" ? VK_ESCAPE : word.back();
    if (alt) keybd_event(VK_MENU, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    if (alt) keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    // Alt and a letter before more keys opens a menu: its item's letter waits until it is open.
    if (alt && !(words >> std::ws).eof())
      ready = WaitUntil([] { return IsWindowVisible(FindWindowA("#32768", nullptr)); });
  }
  return ready;
}

void Shoot(HWND window, const std::string& name) {
  char folder[MAX_PATH];
  if (!GetEnvironmentVariableA("TORVEL_SHOTS", folder, MAX_PATH)) return;
  RECT r;
  GetWindowRect(window, &r);
  const std::string file = std::string(folder) + "\\request.txt";
  std::ofstream(file, std::ios::binary) << name << ' ' << r.right - r.left << 'x'
                                        << r.bottom - r.top << '+' << r.left << '+' << r.top;
  WaitUntil([&] { return !FileExists(file); });
}

}  // namespace bench
