#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win32/owned.h"
#include "platform/win32/utf8.h"

namespace torvel {

namespace {

// Handles cross the interface as numbers.
static_assert(sizeof(HKEY) <= sizeof(RegKey));

HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

// The predefined root handle of `root`.
HKEY GetRootKey(RegRoot root) {
  switch (root) {
    case RegRoot::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegRoot::kCurrentUser:
      return HKEY_CURRENT_USER;
    case RegRoot::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegRoot::kUsers:
      return HKEY_USERS;
    case RegRoot::kCurrentConfig:
      return HKEY_CURRENT_CONFIG;
  }
  return nullptr;
}

// Most values fit at once; a larger one is asked again with the size the first answer gave.
constexpr DWORD kFirstBufferBytes = 512;

}  // namespace

Result<RegKey> Win32Registry::OpenKey(RegRoot root, const std::string& path, RegView view) {
  UniqueHkey opened;
  // 32-bit Windows ignores the view flag.
  const REGSAM access = KEY_QUERY_VALUE | (view == RegView::k64Bit ? KEY_WOW64_64KEY : 0);
  const LONG code = RegOpenKeyExW(GetRootKey(root), Wide(path).c_str(), 0, access, opened.put());
  if (code != ERROR_SUCCESS) return ErrorInfo{code, ""};
  // From here the caller owns the handle and closes it through CloseKey.
  return reinterpret_cast<RegKey>(opened.release());
}

Result<RegData> Win32Registry::QueryValue(RegKey key, const std::string& value_name) {
  const std::wstring name = Wide(value_name);
  std::vector<BYTE> buffer(kFirstBufferBytes);
  DWORD type = REG_NONE;
  LONG code = ERROR_MORE_DATA;
  // The value may grow between two calls, hence the loop.
  for (int attempt = 0; attempt < 3 && code == ERROR_MORE_DATA; ++attempt) {
    DWORD bytes = static_cast<DWORD>(buffer.size());
    code = RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, &type, buffer.data(), &bytes);
    if (code == ERROR_MORE_DATA) buffer.resize(bytes);
    if (code == ERROR_SUCCESS) buffer.resize(bytes);
  }
  if (code != ERROR_SUCCESS) return ErrorInfo{code, ""};
  RegData data{type, {}};
  if (IsRegText(type)) {
    // An odd last byte is no character and is left out.
    data.bytes = Utf8({reinterpret_cast<const wchar_t*>(buffer.data()), buffer.size() / 2});
  } else {
    data.bytes.assign(buffer.begin(), buffer.end());
  }
  return data;
}

void Win32Registry::CloseKey(RegKey key) { RegCloseKey(ToHkey(key)); }

std::string Win32Registry::AnsiText(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  std::wstring wide(bytes.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), length));
  return Utf8(wide);
}

}  // namespace torvel
