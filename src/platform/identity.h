#pragma once
// Identity and environment: user and computer names, temporary folder, environment variables.
// Text is UTF-8 and whole, whatever its length.
#include <optional>
#include <string>

#include "platform/result.h"

namespace torvel {

class Identity {
 public:
  virtual ~Identity() = default;
  // The name of the user the tool runs as, or why it cannot be had.
  virtual Result<std::string> UserName() = 0;
  // The computer's name, or why it cannot be had.
  virtual Result<std::string> ComputerName() = 0;
  // The user's temporary folder as the system gives it, its final separator included.
  virtual Result<std::string> TempPath() = 0;
  // The whole value of an environment variable, whatever its length; nullopt when unset.
  // Names compare without regard to case.
  virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
};

}  // namespace torvel
