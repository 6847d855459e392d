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

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// A text value whole, as UTF-16; it may grow between the calls, hence the loop.
LONG ReadWide(HKEY key, const wchar_t* name, DWORD bytes, std::wstring* text) {
  std::vector<BYTE> buffer;
  LONG code = ERROR_MORE_DATA;
  for (int attempt = 0; attempt < 3 && code == ERROR_MORE_DATA; ++attempt) {
    buffer.resize(bytes + sizeof(wchar_t));
    bytes = static_cast<DWORD>(buffer.size());
    code = RegQueryValueExW(key, name, nullptr, nullptr, buffer.data(), &bytes);
  }
  if (code != ERROR_SUCCESS) return code;
  // An odd last byte is no character and is left out.
  text->assign(reinterpret_cast<const wchar_t*>(buffer.data()), bytes / sizeof(wchar_t));
  return ERROR_SUCCESS;
}

}  // namespace

long Win32Registry::OpenKey(RegKey root, const std::string& path, RegKey* key) {
  UniqueHkey opened;
  const LONG code =
      RegOpenKeyExW(ToHkey(root), Wide(path).c_str(), 0, KEY_QUERY_VALUE, opened.put());
  if (code != ERROR_SUCCESS) return code;
  // From here the caller owns the handle and closes it through CloseKey.
  *key = FromHkey(opened.release());
  return ERROR_SUCCESS;
}

long Win32Registry::QueryValue(RegKey key, const std::string& value_name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) {
  const std::wstring name = Wide(value_name);
  DWORD value_type = 0;
  DWORD bytes = 0;
  LONG code = RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, &value_type, nullptr, &bytes);
  if (code != ERROR_SUCCESS) return code;
  *type = value_type;
  if (!IsText(value_type)) {
    // Numbers and bytes are handed over as they are stored.
    DWORD win_size = *size;
    code = RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, &value_type, data, &win_size);
    *type = value_type;
    *size = win_size;
    return code;
  }
  // Text in UTF-8, with the size rules of a byte read: too small a buffer gets ERROR_MORE_DATA
  // and the size needed; a terminating NUL stored with the value stays one byte.
  std::wstring wide;
  code = ReadWide(ToHkey(key), name.c_str(), bytes, &wide);
  if (code != ERROR_SUCCESS) return code;
  const std::string text = Utf8(wide);
  const std::uint32_t capacity = *size;
  *size = static_cast<std::uint32_t>(text.size());
  if (text.size() > capacity) return ERROR_MORE_DATA;
  if (!text.empty()) std::memcpy(data, text.data(), text.size());
  return ERROR_SUCCESS;
}

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace torvel
