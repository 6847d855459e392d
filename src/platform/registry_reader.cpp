#include "platform/registry_reader.h"

#include <cctype>

#include "platform/clean_text.h"
#include "platform/scope_exit.h"

namespace torvel {

namespace {

constexpr long kNotFound = 2;

struct RootName {
  const char* name;
  RegKey key;
};

constexpr RootName kRootNames[] = {
    {"HKCU", kHkeyCurrentUser}, {"HKLM", kHkeyLocalMachine},  {"HKU", kHkeyUsers},
    {"HKDD", kHkeyDynData},     {"HKCC", kHkeyCurrentConfig}, {"HKCR", kHkeyClassesRoot},
};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// `status` follows the registry's last answer, for a failure that comes as an exception.
long Read(Registry& registry, const std::string& root, const std::string& key_path,
          const std::string& value_name, const std::string& kind, RegValue& value, long& status) {
  const RegKey root_key = GetRootKey(root);
  if (root_key == 0) return kStatusNoRoot;
  RegKey handle = 0;
  status = registry.OpenKey(root_key, key_path, RegView::kDefault, &handle);
  if (status == kNotFound) status = registry.OpenKey(root_key, key_path, RegView::k64Bit, &handle);
  if (status != 0) return status;
  ScopeExit close_key([&] { registry.CloseKey(handle); });
  const std::string upper_kind = Upper(kind);
  if (upper_kind == "S" || upper_kind == "D") {
    RegData data;
    status = registry.QueryValue(handle, value_name, &data);
    if (status != 0) return status;  // the key closes on the way out
    if (upper_kind == "D" && data.bytes.size() > 4) return kStatusMoreData;
    // A value without data is found but holds nothing: the default stays.
    if (!data.bytes.empty()) {
      if (upper_kind == "S") value = RegistryText(registry, data);
      if (upper_kind == "D") value = static_cast<std::int32_t>(LittleEndian(data.bytes, 4));
    }
  }
  close_key.Release();
  return registry.CloseKey(handle);
}

}  // namespace

RegKey GetRootKey(const std::string& root_name) {
  const std::string upper = Upper(root_name);
  for (const RootName& root : kRootNames) {
    if (upper == root.name) return root.key;
  }
  return 0;
}

std::string RegistryText(Registry& registry, const RegData& data) {
  const std::string& bytes = data.bytes;
  switch (data.type) {
    case kRegSz:
    case kRegExpandSz:
      return bytes.ends_with('\0') ? bytes.substr(0, bytes.size() - 1) : bytes;
    case kRegMultiSz: {
      std::string joined = bytes;
      while (joined.ends_with('\0')) joined.pop_back();
      for (char& c : joined) c = c == '\0' ? ' ' : c;
      return joined;
    }
    case kRegDword:
      return std::to_string(LittleEndian(bytes, 4));
    case kRegQword:
      return std::to_string(LittleEndian(bytes, 8));
    case kRegDwordBigEndian: {
      std::uint32_t number = 0;
      for (const char byte : std::string_view(bytes).substr(0, 4))
        number = number << 8 | static_cast<std::uint8_t>(byte);
      return std::to_string(number);
    }
    default: {
      // Every byte; a final NUL is the terminator of a text stored as bytes.
      std::string_view raw = bytes;
      if (raw.ends_with('\0')) raw.remove_suffix(1);
      return CleanText(registry.AnsiText(raw));
    }
  }
}

std::int32_t ReadRegistryValue(Registry& registry, const std::string& root,
                               const std::string& key_path, const std::string& value_name,
                               const std::string& kind, const RegValue& default_value,
                               RegValue& value) {
  long status = kStatusNoRoot;
  try {
    value = default_value;
    status = Read(registry, root, key_path, value_name, kind, value, status);
  } catch (...) {
    // Something unforeseen: the registry's last answer stands, the key closed by its guard.
  }
  return static_cast<std::int32_t>(status);
}

}  // namespace torvel
