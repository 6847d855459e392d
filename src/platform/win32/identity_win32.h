#pragma once
#include "platform/identity.h"

namespace torvel {

class Win32Identity : public Identity {
 public:
  Result<std::string> UserName() override;
  Result<std::string> ComputerName() override;
  Result<std::string> TempPath() override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
};

}  // namespace torvel
