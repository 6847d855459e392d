#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <cstdint>

#include "platform/win32/owned.h"

namespace torvel {

namespace {

// Handles cross the interface as numbers; the Windows build is 32-bit.
static_assert(sizeof(HKEY) == sizeof(RegKey));

HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key)); }
RegKey FromHkey(HKEY key) { return static_cast<RegKey>(reinterpret_cast<std::uintptr_t>(key)); }


}  // namespace

long Win32Registry::OpenKey(RegKey root, const std::string& path, RegKey* key) {
  UniqueHkey opened;
  const LONG code = RegOpenKeyExA(ToHkey(root), path.c_str(), 0, KEY_QUERY_VALUE, opened.put());
  if (code != ERROR_SUCCESS) return code;
  // From here the caller owns the handle and closes it through CloseKey.
  *key = FromHkey(opened.release());
  return ERROR_SUCCESS;
}

long Win32Registry::QueryValue(RegKey key, const std::string& value_name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) {
  DWORD win_type = type != nullptr ? *type : 0;
  DWORD win_size = size != nullptr ? *size : 0;
  const LONG code = RegQueryValueExA(ToHkey(key), value_name.c_str(), nullptr,
                                     type != nullptr ? &win_type : nullptr, data,
                                     size != nullptr ? &win_size : nullptr);
  if (type != nullptr) *type = win_type;
  if (size != nullptr) *size = win_size;
  return code;
}

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace torvel
