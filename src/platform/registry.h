#pragma once
// Registry, read access only. Every call returns the Win32 error code unchanged
// (0 success, 2 not found, 5 access denied, 234 more data).
#include <cstddef>
#include <cstdint>
#include <string>

namespace torvel {

// A key handle; the predefined roots use Windows' own handle values (0x80000000 and up).
using RegKey = std::uint32_t;

inline constexpr RegKey kHkeyClassesRoot = 0x80000000;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002;
inline constexpr RegKey kHkeyUsers = 0x80000003;
inline constexpr RegKey kHkeyCurrentConfig = 0x80000005;
inline constexpr RegKey kHkeyDynData = 0x80000006;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// A number stored in up to four bytes, little-endian, the missing upper bytes zero; bytes past
// the fourth are not looked at.
inline std::uint32_t LittleEndianDword(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t number = 0;
  for (std::size_t i = size < 4 ? size : 4; i > 0; --i) number = (number << 8) | bytes[i - 1];
  return number;
}

class Registry {
 public:
  virtual ~Registry() = default;
  // RegOpenKeyEx with options 0 and KEY_QUERY_VALUE. Sets *key only on success. Paths and
  // names are UTF-8.
  virtual long OpenKey(RegKey root, const std::string& path, RegKey* key) = 0;
  // RegQueryValueEx. `data` is never null (a valid pointer with *size 0 is the size probe);
  // *type and *size are in/out as in Win32. Text values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ)
  // come as UTF-8, their size in bytes of UTF-8; every other type as the bytes stored.
  virtual long QueryValue(RegKey key, const std::string& value_name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) = 0;
  virtual long CloseKey(RegKey key) = 0;
};

// An open key that is closed exactly once: by Close(), whose code the caller may return, or on
// the way out of the scope, whatever ends it early.
class OpenedKey {
 public:
  OpenedKey(Registry& registry, RegKey key) : registry_(registry), key_(key) {}
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  ~OpenedKey() {
    if (!open_) return;
    try {
      registry_.CloseKey(key_);
    } catch (...) {
    }
  }
  long Close() {
    open_ = false;
    return registry_.CloseKey(key_);
  }
  RegKey get() const { return key_; }

 private:
  Registry& registry_;
  RegKey key_;
  bool open_ = true;
};

}  // namespace torvel
