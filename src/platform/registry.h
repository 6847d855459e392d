#pragma once
// Registry, read access only. Every failure carries the system's code (2 not found, 5 access
// denied).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace torvel {

// The roots the tool reads below.
enum class RegRoot { kClassesRoot, kCurrentUser, kLocalMachine, kUsers, kCurrentConfig };

// An open key, as the registry service numbers it.
using RegKey = std::uintptr_t;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegDwordBigEndian = 5;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

inline bool IsRegText(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// A number stored little-endian in up to eight bytes; bytes past `width` are not looked at.
inline std::uint64_t LittleEndian(std::string_view bytes, std::size_t width) {
  std::uint64_t number = 0;
  for (std::size_t i = bytes.size() < width ? bytes.size() : width; i > 0; --i)
    number = (number << 8) | static_cast<std::uint8_t>(bytes[i - 1]);
  return number;
}

// Which registry view a key is opened in. A 32-bit program sees the 32-bit view of
// HKLM\Software by default; some installers write only the 64-bit one.
enum class RegView { kDefault, k64Bit };

// A value as stored: text types in UTF-8 (with whatever NULs the value holds), every other type
// as its bytes.
struct RegData {
  std::uint32_t type = kRegNone;
  std::string bytes;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens `path` below `root` for reading only. Paths are UTF-8.
  virtual Result<RegKey> OpenKey(RegRoot root, const std::string& path, RegView view) = 0;
  // The whole value in one answer, whatever its size.
  virtual Result<RegData> QueryValue(RegKey key, const std::string& value_name) = 0;
  virtual void CloseKey(RegKey key) = 0;
  // Bytes taken as characters of the system's ANSI code page, in UTF-8.
  virtual std::string AnsiText(std::string_view bytes) = 0;
};

}  // namespace torvel
