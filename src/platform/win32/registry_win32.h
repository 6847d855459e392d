#pragma once
#include "platform/registry.h"

namespace torvel {

// The registry through RegOpenKeyExW (KEY_QUERY_VALUE only, either view), RegQueryValueExW and
// RegCloseKey; a failure carries the Win32 code unchanged. Key paths, value names and text values
// are UTF-8.
class Win32Registry : public Registry {
 public:
  Result<RegKey> OpenKey(RegRoot root, const std::string& path, RegView view) override;
  Result<RegData> QueryValue(RegKey key, const std::string& value_name) override;
  void CloseKey(RegKey key) override;
  std::string AnsiText(std::string_view bytes) override;
};

}  // namespace torvel
