#pragma once
// Files: the tool's own folder and the few file operations that replacing the report needs.
// Every operation returns 0 or the Win32 error code.
#include <cstdint>
#include <string>
#include <string_view>

namespace torvel {

// Windows' file attribute bits that the report writer looks at.
inline constexpr std::uint32_t kAttrReadOnly = 0x1;
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrDirectory = 0x10;

class Files {
 public:
  virtual ~Files() = default;
  // Folder of the running executable: no trailing separator except at a drive root ("C:\").
  virtual std::string ExeFolder() = 0;
  // 0 and *attributes when the path exists; 2 (or 3) when it does not.
  virtual long Attributes(const std::string& path, std::uint32_t* attributes) = 0;
  // Creates or truncates `path`, writes all of `bytes` to it and flushes them to the disk.
  virtual long WriteWhole(const std::string& path, std::string_view bytes) = 0;
  // Moves `from` onto `to`, replacing `to` if it exists; done when the move is on the disk.
  virtual long MoveReplacing(const std::string& from, const std::string& to) = 0;
  virtual long Remove(const std::string& path) = 0;
  // The system's text for an error code, without a trailing line break.
  virtual std::string ErrorText(long code) = 0;
  // The running process's id, which keeps the temporary files of two runs apart.
  virtual std::uint32_t ProcessId() = 0;
};

}  // namespace torvel
