#include "platform/win32/identity_win32.h"

#include <lmcons.h>
#include <windows.h>

#include <vector>

#include "platform/win32/system_text.h"
#include "platform/win32/utf8.h"

namespace torvel {

namespace {

// Why the call just made failed: its code and the system's text for it.
ErrorInfo LastFailure() {
  const DWORD code = GetLastError();
  return {static_cast<long>(code), SystemMessageText(code)};
}

}  // namespace

// The names are read as UTF-16, in buffers as large as the system's names can be, and handed
// over whole as UTF-8.
Result<std::string> Win32Identity::UserName() {
  wchar_t wide[UNLEN + 1];
  DWORD length = UNLEN + 1;
  if (!GetUserNameW(wide, &length)) return LastFailure();
  return Utf8({wide, length > 0 ? length - 1 : 0});  // the length counted its NUL
}

Result<std::string> Win32Identity::ComputerName() {
  wchar_t wide[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(wide, &length)) return LastFailure();
  return Utf8({wide, length});
}

Result<std::string> Win32Identity::TempPath() {
  wchar_t wide[MAX_PATH + 1];
  const DWORD written = GetTempPathW(MAX_PATH + 1, wide);
  if (written == 0 || written > MAX_PATH) return LastFailure();
  return Utf8({wide, written});
}

std::optional<std::string> Win32Identity::EnvironmentVariable(const std::string& name) {
  const std::wstring wide_name = Wide(name);
  std::vector<wchar_t> buffer(1024);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD length = GetEnvironmentVariableW(wide_name.c_str(), buffer.data(),
                                           static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    // Too small: the length returned is the size needed, NUL included. The value may grow
    // between the two calls, hence the loop.
    if (length < buffer.size()) return Utf8({buffer.data(), length});
    buffer.resize(length + 1);
  }
}

}  // namespace torvel
