#include "support/unix_shell.h"

#include <windows.h>

#include "support/ui_driver.h"

namespace bench {

std::string UnixPath(const std::string& path) {
  using Convert = char*(CDECL*)(const wchar_t*);
  auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
  char* unix_path = convert ? convert(W(path).c_str()) : nullptr;
  std::string text = unix_path ? unix_path : "/nonexistent";
  HeapFree(GetProcessHeap(), 0, unix_path);
  return text;
}

bool Sh(const std::string& folder, const std::string& script) {
  std::wstring line = W("sh -c \"cd '" + UnixPath(folder) + "' && " + script + "; touch done\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  // Not a Process: what Wine hands back for a Unix process must never be terminated.
  if (!CreateProcessW(L"Z:\\bin\\sh", line.data(), 0, 0, FALSE, 0, 0, 0, &startup, &started))
    return false;
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  const std::string done = folder + "\\done";
  return WaitUntil([&] { return FileExists(done); }) && DeleteFileW(W(done).c_str());
}

}  // namespace bench
