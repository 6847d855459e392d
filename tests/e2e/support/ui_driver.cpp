#include "support/ui_driver.h"

#include <memory>

namespace bench {

std::string BinDir() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full(path, length);
  return full.substr(0, full.find_last_of('\\'));
}

std::string ToolExe() { return BinDir() + "\\TORVELSupport.exe"; }

std::string MakeTempDir(const std::string& tag) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  for (;;) {
    std::string folder = std::string(temp) + "torvel-" + tag + "-" +
                         std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
}

std::string CopyToolInto(const std::string& folder) {
  std::string copy = folder + "\\TORVELSupport.exe";
  return CopyFileA(ToolExe().c_str(), copy.c_str(), FALSE) ? copy : std::string();
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  return CloseHandle(file) && ok;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(25);
  }
}

bool Process::Start(const std::string& exe, const std::string& arguments, const std::string& folder,
                    const std::string& error_file) {
  std::string command_line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  HANDLE error = INVALID_HANDLE_VALUE;
  if (!error_file.empty()) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    error = CreateFileA(error_file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = error;
  }
  bool started = CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr,
                                error != INVALID_HANDLE_VALUE, 0, nullptr,
                                folder.empty() ? nullptr : folder.c_str(), &startup, &info_);
  if (error != INVALID_HANDLE_VALUE) CloseHandle(error);
  return started;
}

bool Process::WaitExit(DWORD timeout_ms, DWORD* exit_code) {
  if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0) {
    return false;
  }
  if (exit_code) GetExitCodeProcess(info_.hProcess, exit_code);
  return true;
}

bool Process::Running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void Process::Kill() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

Process::~Process() {
  Kill();
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
}

std::string WindowText(HWND hwnd) {
  // WM_GETTEXT, not GetWindowText: across processes only the message reaches an edit's text.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return {};
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

std::string ClassOf(HWND hwnd) {
  char name[256];
  int length = GetClassNameA(hwnd, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

namespace {

struct Search {
  DWORD pid;
  std::string window_class;
  std::string title;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid || !IsWindowVisible(hwnd)) return TRUE;
  if (!search->window_class.empty() && ClassOf(hwnd) != search->window_class) return TRUE;
  if (!search->title.empty() && WindowText(hwnd) != search->title) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND FindNow(DWORD pid, const std::string& window_class, const std::string& title) {
  Search search{pid, window_class, title};
  EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HWND WaitForWindow(DWORD pid, const std::string& window_class, const std::string& title,
                   DWORD timeout_ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindNow(pid, window_class, title)) != nullptr; }, timeout_ms);
  return found;
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD pid, DWORD timeout_ms) {
  HWND box = nullptr;
  bool seen = WaitUntil(
      [&] {
        box = FindNow(pid, "#32770", "");
        return box != nullptr && GetDlgItem(box, 0xFFFF) != nullptr;
      },
      timeout_ms);
  if (!seen) return std::nullopt;
  return MessageBoxSeen{box, WindowText(box), WindowText(GetDlgItem(box, 0xFFFF))};
}

bool Answer(const MessageBoxSeen& box, int button_id) {
  PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.hwnd, button_id)));
  return WaitUntil([&] { return !IsWindow(box.hwnd); });
}

std::vector<int> ButtonsOf(HWND box) {
  std::vector<int> buttons;
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
    if (GetDlgItem(box, id)) buttons.push_back(id);
  }
  return buttons;
}

void Click(HWND parent, int control_id) {
  PostMessageA(GetDlgItem(parent, control_id), BM_CLICK, 0, 0);
}

void ChooseMenu(HWND window, int item_id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(item_id, 0), 0);
}

bool BringForward(HWND window) {
  return WaitUntil([&] {
    if (GetForegroundWindow() == window) return true;
    // Sharing the window's input state lets this process hand it the foreground.
    DWORD target = GetWindowThreadProcessId(window, nullptr);
    DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, target, TRUE);
    SetForegroundWindow(window);
    AttachThreadInput(self, target, FALSE);
    return GetForegroundWindow() == window;
  });
}

bool PressKeys(HWND window, const std::vector<WORD>& keys, bool alt) {
  if (!BringForward(window)) return false;
  std::vector<INPUT> inputs;
  auto key = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (alt) key(VK_MENU, false);
  for (WORD vk : keys) {
    key(vk, false);
    key(vk, true);
  }
  if (alt) key(VK_MENU, true);
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

}  // namespace bench
