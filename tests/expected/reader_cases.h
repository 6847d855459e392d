#pragma once
// Values stored under one test key and what the registry reader makes of them
// (tests/expected/reader_outcomes.txt): run against the in-memory registry natively and against
// the real registry under Wine.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_reader.h"

namespace torvel::expected {

struct StoredValue {
  const char* name;
  std::uint32_t type;
  std::string bytes;  // exactly the data, with or without a terminating NUL
};

inline std::vector<StoredValue> ReaderValues() {
  using S = std::string;
  return {
      {"Temp", kRegSz, S("C:\\Temp\0", 8)},
      {"NoNul", kRegSz, "abc"},
      {"Empty", kRegSz, S("\0", 1)},
      {"NoData", kRegSz, ""},
      {"Expand", kRegExpandSz, S("%TEMP%\\x\0", 9)},
      {"Multi", kRegMultiSz, S("a\0bc\0\0", 6)},
      {"One", kRegDword, S("\x01\0\0\0", 4)},
      {"Minus", kRegDword, "\xFE\xFF\xFF\xFF"},
      {"TwoBytes", kRegBinary, "\x02\x01"},
      {"EightBytes", kRegBinary, "12345678"},
      {"TextOne", kRegSz, S("1\0", 2)},
      // UTF-8 here; the registry holds any text as UTF-16.
      {"Utf8", kRegSz, S("\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0 \xE2\x82\xAC\0", 13)},
      {"Utf8NoNul", kRegExpandSz, "\xC3\xBC\xE2\x82\xAC"},
      {"Build", kRegDword, "\xB7\x04\0\0"},
      {"Big", kRegQword, S("\x01\0\0\0\x01\0\0\0", 8)},
      {"Bytes", kRegBinary, S("\xFF\xE9\x3C\x41\0\0", 6)},
      {"Abc", kRegBinary, "ABC"},
      {"BigEndian", kRegDwordBigEndian, S("\0\0\x01\0", 4)},
      {"Raw", kRegNone, S("a\t\r\n\0\x81\x7F\x80z", 10)},
  };
}

// Every stored value read as text and as a number, a name in another letter case, a missing
// value, a missing key, another root and the key's presence: a line each, as
// tests/expected/reader_outcomes.txt holds them.
inline std::string ReadOutcomes(Registry& registry, const std::string& key) {
  constexpr const char* kStatuses[] = {"read", "no data", "not found", "too long", "failed"};
  constexpr RegRoot kUser = RegRoot::kCurrentUser;
  std::string lines;
  auto line = [&](const std::string& what, ReadStatus status, const std::string& value = "") {
    lines += what + ": " + kStatuses[int(status)];
    lines += (status == ReadStatus::kRead && !value.empty() ? " " + value : "") + "\n";
  };
  std::vector<std::string> names;
  for (const StoredValue& v : ReaderValues()) names.push_back(v.name);
  for (const char* name : {"temp", "Missing"}) names.push_back(name);
  for (const std::string& name : names) {
    const RegRead<std::string> text = ReadRegistryValue<std::string>(registry, kUser, key, name);
    line(name + " as text", text.status, "\"" + text.value + "\"");
    const RegRead<std::int32_t> number =
        ReadRegistryValue<std::int32_t>(registry, kUser, key, name);
    line(name + " as a number", number.status, std::to_string(number.value));
  }
  line("Temp below Nowhere",
       ReadRegistryValue<std::string>(registry, kUser, key + "\\Nowhere", "Temp").status);
  line("Temp under HKU",
       ReadRegistryValue<std::string>(registry, RegRoot::kUsers, key, "Temp").status);
  line("the key", ReadRegistryValue(registry, kUser, key + "\\").status);
  line("the key Nowhere", ReadRegistryValue(registry, kUser, key + "\\Nowhere\\").status);
  return lines;
}

}  // namespace torvel::expected
