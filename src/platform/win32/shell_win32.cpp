#include "platform/win32/shell_win32.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "platform/win32/owned.h"
#include "platform/win32/utf8.h"

namespace torvel {

namespace {

// An empty text stands for a null argument.
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

bool Win32Shell::Execute(WindowRef owner, const std::string& operation, const std::string& file,
                         const std::string& parameters, const std::string& directory, int show) {
  const std::wstring wide_operation = Wide(operation), wide_file = Wide(file),
                     wide_parameters = Wide(parameters), wide_directory = Wide(directory);
  HINSTANCE result =
      ShellExecuteW(reinterpret_cast<HWND>(owner), OrNull(wide_operation), wide_file.c_str(),
                    OrNull(wide_parameters), OrNull(wide_directory), show);
  // ShellExecute's own rule: a result above 32 is success.
  return reinterpret_cast<std::intptr_t>(result) > 32;
}

bool Win32Shell::StartProgram(const std::string& path) {
  const std::wstring program = Wide(path);
  std::wstring command_line = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  // Nothing waits for the program: its handles go at once.
  UniqueHandle thread(process.hThread);
  UniqueHandle handle(process.hProcess);
  return true;
}

}  // namespace torvel
