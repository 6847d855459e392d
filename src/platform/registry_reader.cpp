#include "platform/registry_reader.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace torvel {

namespace {

constexpr long kMoreData = 234;

struct RootName {
  const char* name;
  RegKey key;
};

// Compared in this order.
constexpr RootName kRootNames[] = {
    {"HKCU", kHkeyCurrentUser}, {"HKLM", kHkeyLocalMachine},  {"HKU", kHkeyUsers},
    {"HKDD", kHkeyDynData},     {"HKCC", kHkeyCurrentConfig}, {"HKCR", kHkeyClassesRoot},
};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The length of `bytes` without its last character: the last UTF-8 sequence of a text value,
// the last byte of any other.
std::size_t WithoutLastCharacter(const std::vector<std::uint8_t>& bytes, std::size_t length,
                                 std::uint32_t type) {
  std::size_t end = length - 1;
  const bool text = type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
  for (int back = 0; text && back < 3 && end > 0 && (bytes[end] & 0xC0) == 0x80; ++back) --end;
  return end;
}

// Text read: a size probe with an empty buffer, then a read into a buffer of the size reported.
// The last character is dropped whatever it is.
long ReadText(Registry& registry, RegKey key, const std::string& value_name, RegValue& value) {
  std::vector<std::uint8_t> buffer(1);
  std::uint32_t capacity = 0;
  std::uint32_t size = capacity;
  std::uint32_t type = kRegSz;
  long status = registry.QueryValue(key, value_name, &type, buffer.data(), &size);
  if (status == kMoreData) {
    try {
      buffer.resize(std::max<std::uint32_t>(size, 1));
      capacity = size;
      type = kRegSz;
      status = registry.QueryValue(key, value_name, &type, buffer.data(), &size);
    } catch (...) {
      return kMoreData;  // no room for a huge value, say: the probe's answer stands
    }
  }
  if (status != 0) return status;
  // Never trust the reported size beyond the bytes actually handed over.
  const std::uint32_t length = std::min(size, capacity);
  if (length > 0) {
    value =
        std::string(buffer.begin(), buffer.begin() + WithoutLastCharacter(buffer, length, type));
  }
  return 0;
}

// Number read: up to four bytes, little-endian, the missing upper bytes zero.
long ReadNumber(Registry& registry, RegKey key, const std::string& value_name, RegValue& value) {
  std::uint8_t bytes[4] = {0, 0, 0, 0};
  std::uint32_t size = sizeof bytes;
  std::uint32_t type = kRegDword;
  const long status = registry.QueryValue(key, value_name, &type, bytes, &size);
  if (status != 0) return status;
  // A value without data is found but holds nothing: the default stays, as for text.
  if (size > 0) value = static_cast<std::int32_t>(LittleEndianDword(bytes, size));
  return 0;
}

}  // namespace

RegKey GetRootKey(const std::string& root_name) {
  const std::string upper = Upper(root_name);
  for (const RootName& root : kRootNames) {
    if (upper == root.name) return root.key;
  }
  return 0;
}

namespace {

long Read(Registry& registry, const std::string& root, const std::string& key_path,
          const std::string& value_name, const std::string& kind, const RegValue& default_value,
          RegValue& value) {
  long status = kStatusNoRoot;
  try {
    value = default_value;
    const RegKey root_key = GetRootKey(root);
    if (root_key == 0) return kStatusNoRoot;
    RegKey handle = 0;
    status = registry.OpenKey(root_key, key_path, &handle);
    if (status != 0) return status;
    OpenedKey key(registry, handle);
    const std::string upper_kind = Upper(kind);
    if (upper_kind == "S" || upper_kind == "D") {
      status = upper_kind == "S" ? ReadText(registry, key.get(), value_name, value)
                                 : ReadNumber(registry, key.get(), value_name, value);
      if (status != 0) return status;  // the key closes on the way out
    }
    status = key.Close();
    return status;
  } catch (...) {
    // Something unforeseen: the last code the registry gave, the key closed by its guard.
    return status;
  }
}

}  // namespace

std::int32_t ReadRegistryValue(Registry& registry, const std::string& root,
                               const std::string& key_path, const std::string& value_name,
                               const std::string& kind, const RegValue& default_value,
                               RegValue& value) {
  return static_cast<std::int32_t>(
      Read(registry, root, key_path, value_name, kind, default_value, value));
}

}  // namespace torvel
