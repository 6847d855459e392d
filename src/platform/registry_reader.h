#pragma once
// The one way the report reads the registry: typed reads that never throw and never show
// anything. Each answer says what became of the read; the callers decide what that means.
#include <concepts>
#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace torvel {

enum class ReadStatus {
  kRead,      // the value, with data
  kNoData,    // found, but holding nothing: the caller's default stays
  kNotFound,  // the key or the value is not there
  kTooLong,   // a number read from a value longer than four bytes
  kFailed,    // the registry refused; `code` says why
};

template <typename T>
struct RegRead {
  ReadStatus status = ReadStatus::kNotFound;
  T value{};      // only with kRead
  long code = 0;  // the registry's own code for kNotFound and kFailed
  bool found() const { return status == ReadStatus::kRead || status == ReadStatus::kNoData; }
  T value_or(T fallback) const { return status == ReadStatus::kRead ? value : fallback; }
};

// "HKCU", "HKLM", "HKU", "HKCC" or "HKCR", as the report names a root.
const char* RootName(RegRoot root);

// `value_name` of `key_path` below `root`: as text (RegistryText) for std::string, as a signed
// 32-bit number from the value's bytes taken little-endian, whatever its type, for
// std::int32_t. A key missing from the default view is looked for in the 64-bit view, by every
// read here.
template <typename T>
requires std::same_as<T, std::string> || std::same_as<T, std::int32_t> RegRead<T> ReadRegistryValue(
    Registry& registry, RegRoot root, const std::string& key_path, const std::string& value_name);
// Without a value name, only whether the key opens (the products' presence tests).
RegRead<bool> ReadRegistryValue(Registry& registry, RegRoot root, const std::string& key_path);

// A value as text: strings whole less one final NUL, a multi-string's strings joined by a
// blank, numbers in decimal (a big-endian one too), any other type every byte less one final
// NUL, in the ANSI code page with control characters replaced.
std::string RegistryText(Registry& registry, const RegData& data);

}  // namespace torvel
