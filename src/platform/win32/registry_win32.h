#pragma once
#include "platform/registry.h"

namespace torvel {

// The registry through RegOpenKeyExA (KEY_QUERY_VALUE only), RegQueryValueExA and RegCloseKey;
// every call returns the Win32 code unchanged.
class Win32Registry : public Registry {
 public:
  long OpenKey(RegKey root, const std::string& path, RegKey* key) override;
  long QueryValue(RegKey key, const std::string& value_name, std::uint32_t* type,
                  std::uint8_t* data, std::uint32_t* size) override;
  long CloseKey(RegKey key) override;
};

}  // namespace torvel
