#include "platform/win32/registry_win32.h"

namespace torvel {

long Win32Registry::OpenKey(RegKey, const std::string&, RegKey*) { return 2; }
long Win32Registry::QueryValue(RegKey, const std::string&, std::uint32_t*, std::uint8_t*,
                               std::uint32_t*) {
  return 6;
}
long Win32Registry::CloseKey(RegKey) { return 6; }

}  // namespace torvel
