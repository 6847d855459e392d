#pragma once
#include "platform/registry.h"

namespace torvel {

// The registry through RegOpenKeyExW (KEY_QUERY_VALUE only, either view), RegQueryValueExW and
// RegCloseKey; every call returns the Win32 code unchanged. Key paths, value names and text values
// are UTF-8.
class Win32Registry : public Registry {
 public:
  long OpenKey(RegKey root, const std::string& path, RegView view, RegKey* key) override;
  long QueryValue(RegKey key, const std::string& value_name, RegData* data) override;
  long CloseKey(RegKey key) override;
  std::string AnsiText(std::string_view bytes) override;
};

}  // namespace torvel
