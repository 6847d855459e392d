#pragma once
// Identity and environment: user and computer names, temporary folder, environment variables.
// Text is UTF-8; every size counts bytes of UTF-8.
#include <cstdint>
#include <optional>
#include <string>

namespace torvel {

class Identity {
 public:
  virtual ~Identity() = default;
  // GetUserName: fills `buffer`; *size in/out (on success the characters
  // written including the NUL; when the buffer is too small, the size needed).
  virtual bool UserNameInto(char* buffer, std::uint32_t* size) = 0;
  // GetComputerName: fills `buffer`; *size in/out (on success the length without the NUL).
  virtual bool ComputerNameInto(char* buffer, std::uint32_t* size) = 0;
  // GetTempPath: the length written without the NUL; the size needed when `length` is too
  // small; 0 on failure.
  virtual std::uint32_t TempPathInto(std::uint32_t length, char* buffer) = 0;
  // The whole value of an environment variable, whatever its length; nullopt when unset.
  // Names compare without regard to case.
  virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
};

}  // namespace torvel
