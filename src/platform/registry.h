#pragma once
// Registry, read access only. Every call returns the Win32 error code unchanged
// (0 success, 2 not found, 5 access denied, 234 more data).
#include <cstdint>
#include <string>

namespace torvel {

// A key handle; the predefined roots use Windows' own handle values (0x80000000 and up).
using RegKey = std::uint32_t;

class Registry {
 public:
  virtual ~Registry() = default;
  // RegOpenKeyExA with options 0 and KEY_QUERY_VALUE. Sets *key only on success.
  virtual long OpenKey(RegKey root, const std::string& path, RegKey* key) = 0;
  // RegQueryValueExA. `data` is never null (a valid pointer with *size 0 is the size probe);
  // *type and *size are in/out as in Win32.
  virtual long QueryValue(RegKey key, const std::string& value_name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) = 0;
  virtual long CloseKey(RegKey key) = 0;
};

}  // namespace torvel
