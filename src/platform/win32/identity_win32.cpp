#include "platform/win32/identity_win32.h"

#include <windows.h>

#include <vector>

namespace torvel {

bool Win32Identity::UserNameInto(char* buffer, std::uint32_t* size) {
  DWORD length = *size;
  BOOL ok = GetUserNameA(buffer, &length);
  *size = length;
  return ok != FALSE;
}

bool Win32Identity::ComputerNameInto(char* buffer, std::uint32_t* size) {
  DWORD length = *size;
  BOOL ok = GetComputerNameA(buffer, &length);
  *size = length;
  return ok != FALSE;
}

std::uint32_t Win32Identity::TempPathInto(std::uint32_t length, char* buffer) {
  return GetTempPathA(length, buffer);
}

std::optional<std::string> Win32Identity::EnvironmentVariable(const std::string& name) {
  std::vector<char> buffer(1024);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD length =
        GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    // Too small: the length returned is the size needed, NUL included. The value may grow
    // between the two calls, hence the loop.
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

}  // namespace torvel
