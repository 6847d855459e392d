#include "platform/registry_reader.h"

#include "platform/clean_text.h"
#include "platform/scope_exit.h"

namespace torvel {

namespace {

constexpr long kNotFoundCode = 2;

template <typename T>
RegRead<T> Failed(long code) {
  return {code == kNotFoundCode ? ReadStatus::kNotFound : ReadStatus::kFailed, T{}, code};
}

// Opens the key, in the 64-bit view when the default one lacks it, and hands it to `read`; the
// key is closed whatever happens. Anything unforeseen reads as a failure.
template <typename T, typename Read>
RegRead<T> WithKey(Registry& registry, RegRoot root, const std::string& key_path, Read read) {
  try {
    Result<RegKey> key = registry.OpenKey(root, key_path, RegView::kDefault);
    if (!key && key.error().code == kNotFoundCode)
      key = registry.OpenKey(root, key_path, RegView::k64Bit);
    if (!key) return Failed<T>(key.error().code);
    ScopeExit close_key([&] { registry.CloseKey(*key); });
    return read(*key);
  } catch (...) {
    return {ReadStatus::kFailed, T{}, 0};
  }
}

// The value's data, or why there is none to read.
template <typename T, typename Convert>
RegRead<T> WithData(Registry& registry, RegRoot root, const std::string& key_path,
                    const std::string& value_name, Convert convert) {
  return WithKey<T>(registry, root, key_path, [&](RegKey key) -> RegRead<T> {
    const Result<RegData> data = registry.QueryValue(key, value_name);
    if (!data) return Failed<T>(data.error().code);
    // A value without data is found but holds nothing.
    if (data->bytes.empty()) return {ReadStatus::kNoData, T{}, 0};
    return convert(*data);
  });
}

}  // namespace

const char* RootName(RegRoot root) {
  switch (root) {
    case RegRoot::kClassesRoot:
      return "HKCR";
    case RegRoot::kCurrentUser:
      return "HKCU";
    case RegRoot::kLocalMachine:
      return "HKLM";
    case RegRoot::kUsers:
      return "HKU";
    case RegRoot::kCurrentConfig:
      return "HKCC";
  }
  return "";
}

RegRead<bool> ReadRegistryValue(Registry& registry, RegRoot root, const std::string& key_path) {
  return WithKey<bool>(registry, root, key_path, [](RegKey) {
    return RegRead<bool>{ReadStatus::kRead, true, 0};
  });
}

template <>
RegRead<std::string> ReadRegistryValue(Registry& registry, RegRoot root,
                                       const std::string& key_path, const std::string& value_name) {
  return WithData<std::string>(registry, root, key_path, value_name, [&](const RegData& data) {
    return RegRead<std::string>{ReadStatus::kRead, RegistryText(registry, data), 0};
  });
}

template <>
RegRead<std::int32_t> ReadRegistryValue(Registry& registry, RegRoot root,
                                        const std::string& key_path,
                                        const std::string& value_name) {
  return WithData<std::int32_t>(registry, root, key_path, value_name, [](const RegData& data) {
    if (data.bytes.size() > 4) return RegRead<std::int32_t>{ReadStatus::kTooLong, 0, 0};
    return RegRead<std::int32_t>{ReadStatus::kRead,
                                 static_cast<std::int32_t>(LittleEndian(data.bytes, 4)), 0};
  });
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

}  // namespace torvel
