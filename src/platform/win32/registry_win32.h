#pragma once
#include "platform/registry.h"

namespace torvel {

class Win32Registry : public Registry {
 public:
  long OpenKey(RegKey root, const std::string& path, RegKey* key) override;
  long QueryValue(RegKey key, const std::string& value_name, std::uint32_t* type,
                  std::uint8_t* data, std::uint32_t* size) override;
  long CloseKey(RegKey key) override;
};

}  // namespace torvel
