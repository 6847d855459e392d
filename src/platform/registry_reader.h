#pragma once
// The one way the report reads the registry. It never throws and never shows anything: the
// callers decide what a status means, and a failed read leaves the caller's default in place.
#include <cstdint>
#include <string>
#include <variant>

#include "platform/registry.h"

namespace torvel {

// Text for kind "S", a number for kind "D".
using RegValue = std::variant<std::string, std::int32_t>;

inline constexpr std::int32_t kStatusNoRoot = 99;
// A "D" read of a value longer than four bytes.
inline constexpr std::int32_t kStatusMoreData = 234;

// "HKCU", "HKLM", "HKU", "HKDD", "HKCC" or "HKCR" in any letter case; 0 for anything else.
RegKey GetRootKey(const std::string& root_name);

// `kind` "S" reads text (RegistryText), "D" a signed 32-bit number from the value's bytes taken
// little-endian whatever its type, anything else only opens the key.
// A key missing from the default view is looked for in the 64-bit view.
// Returns 0, 99 for an unknown root, or the registry's own error code.
std::int32_t ReadRegistryValue(Registry& registry, const std::string& root,
                               const std::string& key_path, const std::string& value_name,
                               const std::string& kind, const RegValue& default_value,
                               RegValue& value);

// A value as text: strings whole less one final NUL, a multi-string's strings joined by a
// blank, numbers in decimal (a big-endian one too), any other type every byte less one final
// NUL, in the ANSI code page with control characters replaced.
std::string RegistryText(Registry& registry, const RegData& data);

}  // namespace torvel
