#include "platform/win32/identity_win32.h"

#include <lmcons.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/utf8.h"

namespace torvel {

namespace {

// Hands `text` and its NUL to a caller's buffer of `capacity` bytes; false when it does not fit.
bool CopyOut(const std::string& text, char* buffer, std::uint32_t capacity) {
  if (text.size() + 1 > capacity) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

// The names are read as UTF-16 and handed over as UTF-8, with the sizes of the byte calls
// counted in bytes of UTF-8.
bool Win32Identity::UserNameInto(char* buffer, std::uint32_t* size) {
  wchar_t wide[UNLEN + 1];
  DWORD length = UNLEN + 1;
  if (!GetUserNameW(wide, &length)) return false;
  const std::string name = Utf8({wide, length > 0 ? length - 1 : 0});
  const bool fits = CopyOut(name, buffer, *size);
  *size = static_cast<std::uint32_t>(name.size() + 1);
  if (!fits) SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return fits;
}

bool Win32Identity::ComputerNameInto(char* buffer, std::uint32_t* size) {
  wchar_t wide[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(wide, &length)) return false;
  const std::string name = Utf8({wide, length});
  const bool fits = CopyOut(name, buffer, *size);
  *size = static_cast<std::uint32_t>(fits ? name.size() : name.size() + 1);
  if (!fits) SetLastError(ERROR_BUFFER_OVERFLOW);
  return fits;
}

std::uint32_t Win32Identity::TempPathInto(std::uint32_t length, char* buffer) {
  wchar_t wide[MAX_PATH + 1];
  const DWORD written = GetTempPathW(MAX_PATH + 1, wide);
  if (written == 0 || written > MAX_PATH) return 0;
  const std::string path = Utf8({wide, written});
  if (!CopyOut(path, buffer, length)) return static_cast<std::uint32_t>(path.size() + 1);
  return static_cast<std::uint32_t>(path.size());
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
