#pragma once
#include "platform/registry.h"

namespace torvel {

// The registry through RegOpenKeyExW (KEY_QUERY_VALUE only), RegQueryValueExW and RegCloseKey;
// every call returns the Win32 code unchanged. Key paths, value names and text values are UTF-8.
class Win32Registry : public Registry {
 public:
  long OpenKey(RegKey root, const std::string& path, RegKey* key) override;
  long QueryValue(RegKey key, const std::string& value_name, std::uint32_t* type,
                  std::uint8_t* data, std::uint32_t* size) override;
  long CloseKey(RegKey key) override;
};

}  // namespace torvel
