#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win32/owned.h"
#include "platform/win32/utf8.h"

namespace torvel {

namespace {

// Handles cross the interface as numbers; the Windows build is 32-bit.
static_assert(sizeof(HKEY) == sizeof(RegKey));

HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key)); }
RegKey FromHkey(HKEY key) { return static_cast<RegKey>(reinterpret_cast<std::uintptr_t>(key)); }

// Most values fit at once; a larger one is asked again with the size the first answer gave.
constexpr DWORD kFirstBufferBytes = 512;

}  // namespace

long Win32Registry::OpenKey(RegKey root, const std::string& path, RegView view, RegKey* key) {
  UniqueHkey opened;
  // 32-bit Windows ignores the view flag.
  const REGSAM access = KEY_QUERY_VALUE | (view == RegView::k64Bit ? KEY_WOW64_64KEY : 0);
  const LONG code = RegOpenKeyExW(ToHkey(root), Wide(path).c_str(), 0, access, opened.put());
  if (code != ERROR_SUCCESS) return code;
  // From here the caller owns the handle and closes it through CloseKey.
  *key = FromHkey(opened.release());
  return ERROR_SUCCESS;
}

long Win32Registry::QueryValue(RegKey key, const std::string& value_name, RegData* data) {
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
  if (code != ERROR_SUCCESS) return code;
  data->type = type;
  if (IsRegText(type)) {
    // An odd last byte is no character and is left out.
    data->bytes = Utf8({reinterpret_cast<const wchar_t*>(buffer.data()), buffer.size() / 2});
  } else {
    data->bytes.assign(buffer.begin(), buffer.end());
  }
  return ERROR_SUCCESS;
}

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

std::string Win32Registry::AnsiText(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  std::wstring wide(bytes.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), length));
  return Utf8(wide);
}

}  // namespace torvel
