#pragma once
// The registry reader: one way for the report sections to look at the registry. It reads one
// named value of one key under a predefined root, or only tests that a key can be opened. It
// never raises and never shows a message: every outcome is a status plus an output value that
// falls back to the caller's default.
#include <cstdint>
#include <string>
#include <variant>

#include "platform/registry.h"

namespace torvel {

// A value read from the registry: text for kind "S", a number for kind "D".
using RegValue = std::variant<std::string, std::int32_t>;

// Status for a root name that names none of the predefined roots.
inline constexpr std::int32_t kStatusNoRoot = 99;

// The predefined root named by `root_name` ("HKCU", "HKLM", "HKU", "HKDD", "HKCC", "HKCR",
// compared after upper-casing), or 0 when it names none.
RegKey GetRootKey(const std::string& root_name);

// Reads `value_name` of `key_path` below `root`. `kind` (upper-cased) is "S" for text, "D" for
// a signed little-endian 32-bit number, anything else for a presence test of the key.
// `value` receives `default_value` first and keeps it on every failure.
// Returns 0 on success, 99 for an unknown root, otherwise the failing registry call's code
// unchanged (2 not found, 5 access denied, 234 a "D" value longer than four bytes).
std::int32_t ReadRegistryValue(Registry& registry, const std::string& root,
                               const std::string& key_path, const std::string& value_name,
                               const std::string& kind, const RegValue& default_value,
                               RegValue& value);

}  // namespace torvel
