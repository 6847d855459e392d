#pragma once
#include "platform/identity.h"

namespace torvel {

class Win32Identity : public Identity {
 public:
  bool UserNameInto(char*, std::uint32_t*) override { return false; }
  bool ComputerNameInto(char*, std::uint32_t*) override { return false; }
  std::uint32_t TempPathInto(std::uint32_t, char*) override { return 0; }
  std::optional<std::string> EnvironmentVariable(const std::string&) override { return {}; }
};

}  // namespace torvel
