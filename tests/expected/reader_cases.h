#pragma once
// Values stored under one test key and what the registry reader makes of them: one table run
// against the in-memory registry natively and against the real registry under Wine.
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

enum class Read { kText, kNumber, kKey };

// What one read gave, in one form for every kind of read.
struct Outcome {
  ReadStatus status = ReadStatus::kRead;
  std::string text = "";
  std::int32_t number = 0;
  bool operator==(const Outcome&) const = default;
};

struct ReadCase {
  const char* name;
  Read read;
  Outcome expected;
  std::string below = "";  // appended to the test key's path
  RegRoot root = RegRoot::kCurrentUser;
};

inline Outcome Apply(Registry& registry, const std::string& key, const ReadCase& c) {
  const std::string path = key + c.below;
  if (c.read == Read::kKey) return {ReadRegistryValue(registry, c.root, path).status};
  if (c.read == Read::kNumber) {
    const RegRead<std::int32_t> number =
        ReadRegistryValue<std::int32_t>(registry, c.root, path, c.name);
    return {number.status, "", number.value};
  }
  const RegRead<std::string> text = ReadRegistryValue<std::string>(registry, c.root, path, c.name);
  return {text.status, text.value};
}

inline std::vector<ReadCase> ReaderCases() {
  using enum Read;
  constexpr ReadStatus kRead = ReadStatus::kRead, kNoData = ReadStatus::kNoData,
                       kNotFound = ReadStatus::kNotFound;
  return {
      {"Temp", kText, {kRead, "C:\\Temp"}},
      {"temp", kText, {kRead, "C:\\Temp"}},
      // A string keeps its last character unless it is a NUL; numbers read as text are decimal.
      {"NoNul", kText, {kRead, "abc"}},
      {"Empty", kText, {kRead, ""}},
      {"NoData", kText, {kNoData}},  // found without data: the caller's default stays
      {"NoData", kNumber, {kNoData}},
      {"Expand", kText, {kRead, "%TEMP%\\x"}},
      {"Multi", kText, {kRead, "a bc"}},
      {"One", kText, {kRead, "1"}},
      {"Build", kText, {kRead, "1207"}},
      {"Big", kText, {kRead, "4294967297"}},
      {"BigEndian", kText, {kRead, "256"}},
      // Other types: every byte less one final NUL in the ANSI code page, no control character.
      {"Bytes", kText, {kRead, "\xC3\xBF\xC3\xA9<A\xEF\xBF\xBD"}},
      {"Abc", kText, {kRead, "ABC"}},
      {"Raw",
       kText,
       {kRead, "a\t\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xE2\x82\xACz"}},
      {"One", kNumber, {kRead, "", 1}},
      {"Minus", kNumber, {kRead, "", -2}},
      {"TwoBytes", kNumber, {kRead, "", 258}},
      {"EightBytes", kNumber, {ReadStatus::kTooLong}},
      {"TextOne", kNumber, {kRead, "", 49}},
      {"BigEndian", kNumber, {kRead, "", 65536}},
      // Text keeps every character, with or without its NUL.
      {"Utf8", kText, {kRead, "\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0 \xE2\x82\xAC"}},
      {"Utf8NoNul", kText, {kRead, "\xC3\xBC\xE2\x82\xAC"}},
      {"Missing", kText, {kNotFound}},
      {"Missing", kNumber, {kNotFound}},
      {"Temp", kText, {kNotFound}, "\\Nowhere"},
      {"Temp", kText, {kNotFound}, "", RegRoot::kUsers},
      // A key's presence, with or without a final separator.
      {"", kKey, {kRead}, "\\"},
      {"", kKey, {kNotFound}, "\\Nowhere\\"},
  };
}

}  // namespace torvel::expected
