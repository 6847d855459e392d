#pragma once
#include "platform/identity.h"

namespace torvel {

class Win32Identity : public Identity {
 public:
  bool UserNameInto(char* buffer, std::uint32_t* size) override;
  bool ComputerNameInto(char* buffer, std::uint32_t* size) override;
  std::uint32_t TempPathInto(std::uint32_t length, char* buffer) override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
};

}  // namespace torvel
