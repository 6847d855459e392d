#include "platform/win32/system_library.h"

#include <map>
#include <string>

namespace torvel {

HMODULE LoadSystemLibrary(const wchar_t* dll) {
  ACTCTX_SECTION_KEYED_DATA redirected{};
  redirected.cbSize = sizeof redirected;
  if (FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, dll,
                               &redirected)) {
    return LoadLibraryW(dll);
  }
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + dll).c_str());
}

FARPROC SystemProcedure(const wchar_t* dll, const char* name) {
  // Only the user-interface thread asks, each function once: no lock is needed.
  static std::map<std::wstring, HMODULE> loaded;
  auto found = loaded.find(dll);
  if (found == loaded.end()) found = loaded.emplace(dll, LoadSystemLibrary(dll)).first;
  return found->second ? GetProcAddress(found->second, name) : nullptr;
}

}  // namespace torvel
