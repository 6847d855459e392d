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

inline const RegValue kText = std::string("default"), kNumber = std::int32_t{12345};

struct ReadCase {
  const char* name;
  const char* kind;
  RegValue expected;  // kText or kNumber: the default stays
  std::int32_t status = 0;
  std::string below = "";  // appended to the test key's path
  const char* root = "HKCU";
  RegValue default_value = *kind == 'D' || *kind == 'd' ? kNumber : kText;
};

inline std::vector<ReadCase> ReaderCases() {
  using S = std::string;
  using N = std::int32_t;
  return {
      {"Temp", "S", S("C:\\Temp")},
      {"temp", "s", S("C:\\Temp"), 0, "", "hkcu"},
      // A string keeps its last character unless it is a NUL; numbers read as text are decimal.
      {"NoNul", "S", S("abc")},
      {"Empty", "S", S("")},
      {"NoData", "S", kText},  // found without data: the default stays
      {"NoData", "D", kNumber},
      {"Expand", "S", S("%TEMP%\\x")},
      {"Multi", "S", S("a bc")},
      {"One", "S", S("1")},
      {"Build", "S", S("1207")},
      {"Big", "S", S("4294967297")},
      {"BigEndian", "S", S("256")},
      // Other types: every byte less one final NUL in the ANSI code page, no control character.
      {"Bytes", "S", S("\xC3\xBF\xC3\xA9<A\xEF\xBF\xBD")},
      {"Abc", "S", S("ABC")},
      {"Raw", "S",
       S("a\t\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xE2\x82\xACz")},
      {"One", "D", N{1}},
      {"Minus", "d", N{-2}},
      {"TwoBytes", "D", N{258}},
      {"EightBytes", "D", kNumber, kStatusMoreData},
      {"TextOne", "D", N{49}},
      {"BigEndian", "D", N{65536}},
      // Text keeps every character, with or without its NUL.
      {"Utf8", "S", S("\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0 \xE2\x82\xAC")},
      {"Utf8NoNul", "S", S("\xC3\xBC\xE2\x82\xAC")},
      {"Missing", "S", kText, 2},
      {"Missing", "D", kNumber, 2},
      {"Temp", "S", kText, 2, "\\Nowhere"},
      {"Temp", "S", kText, 2, "", "HKU"},
      // A presence test ignores the value name and leaves the default.
      {"Missing", "", kText, 0, "\\"},
      {"", "x", kText, 0, "\\"},
      {"", "", kText, 2, "\\Nowhere\\"},
      // Not a root: the registry is never reached.
      {"Temp", "S", kText, kStatusNoRoot, "", "HKEY_CURRENT_USER"},
  };
}

}  // namespace torvel::expected
