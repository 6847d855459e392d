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
  return {
      {"Temp", kRegSz, std::string("C:\\Temp\0", 8)},
      {"NoNul", kRegSz, "abc"},
      {"Empty", kRegSz, std::string("\0", 1)},
      {"NoData", kRegSz, ""},
      {"Expand", kRegExpandSz, std::string("%TEMP%\\x\0", 9)},
      {"Multi", kRegMultiSz, std::string("a\0bc\0\0", 6)},
      {"One", kRegDword, std::string("\x01\0\0\0", 4)},
      {"Minus", kRegDword, "\xFE\xFF\xFF\xFF"},
      {"TwoBytes", kRegBinary, "\x02\x01"},
      {"EightBytes", kRegBinary, "12345678"},
      {"TextOne", kRegSz, std::string("1\0", 2)},
      // UTF-8 here; the registry holds any text as UTF-16.
      {"Utf8", kRegSz, std::string("\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0 \xE2\x82\xAC\0", 13)},
      {"Utf8NoNul", kRegExpandSz, "\xC3\xBC\xE2\x82\xAC"},
      {"Build", kRegDword, "\xB7\x04\0\0"},
      {"Big", 11, std::string("\x01\0\0\0\x01\0\0\0", 8)},
      {"Bytes", kRegBinary, std::string("\xFF\xE9\x3C\x41\0\0", 6)},
      {"Abc", kRegBinary, "ABC"},
      {"BigEndian", kRegDwordBigEndian, std::string("\0\0\x01\0", 4)},
      {"Raw", kRegNone, std::string("a\t\r\n\0\x81\x7F\x80z", 10)},
  };
}

struct ReadCase {
  const char* root;
  std::string below;  // appended to the test key's path
  const char* name;
  const char* kind;
  RegValue default_value;
  std::int32_t status;
  RegValue expected;
};

inline std::vector<ReadCase> ReaderCases() {
  const RegValue text = std::string("default");
  const RegValue number = std::int32_t{12345};
  return {
      {"HKCU", "", "Temp", "S", text, 0, std::string("C:\\Temp")},
      {"hkcu", "", "temp", "s", text, 0, std::string("C:\\Temp")},
      // A string keeps its last character unless it is a NUL; numbers read as text are decimal.
      {"HKCU", "", "NoNul", "S", text, 0, std::string("abc")},
      {"HKCU", "", "Empty", "S", text, 0, std::string("")},
      // Found without data: the default stays.
      {"HKCU", "", "NoData", "S", text, 0, text},
      {"HKCU", "", "NoData", "D", number, 0, number},
      {"HKCU", "", "Expand", "S", text, 0, std::string("%TEMP%\\x")},
      {"HKCU", "", "Multi", "S", text, 0, std::string("a bc")},
      {"HKCU", "", "One", "S", text, 0, std::string("1")},
      {"HKCU", "", "Build", "S", text, 0, std::string("1207")},
      {"HKCU", "", "Big", "S", text, 0, std::string("4294967297")},
      {"HKCU", "", "BigEndian", "S", text, 0, std::string("256")},
      // Other types: every byte less one final NUL in the ANSI code page, no control character.
      {"HKCU", "", "Bytes", "S", text, 0, std::string("\xC3\xBF\xC3\xA9<A\xEF\xBF\xBD")},
      {"HKCU", "", "Abc", "S", text, 0, std::string("ABC")},
      {"HKCU", "", "Raw", "S", text, 0,
       std::string("a\t\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xE2\x82\xACz")},
      {"HKCU", "", "One", "D", number, 0, std::int32_t{1}},
      {"HKCU", "", "Minus", "d", number, 0, std::int32_t{-2}},
      {"HKCU", "", "TwoBytes", "D", number, 0, std::int32_t{258}},
      {"HKCU", "", "EightBytes", "D", number, 234, number},
      {"HKCU", "", "TextOne", "D", number, 0, std::int32_t{49}},
      {"HKCU", "", "BigEndian", "D", number, 0, std::int32_t{65536}},
      // Text keeps every character, with or without its NUL.
      {"HKCU", "", "Utf8", "S", text, 0,
       std::string("\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0 \xE2\x82\xAC")},
      {"HKCU", "", "Utf8NoNul", "S", text, 0, std::string("\xC3\xBC\xE2\x82\xAC")},
      {"HKCU", "", "Missing", "S", text, 2, text},
      {"HKCU", "", "Missing", "D", number, 2, number},
      {"HKCU", "\\Nowhere", "Temp", "S", text, 2, text},
      {"HKU", "", "Temp", "S", text, 2, text},
      // A presence test ignores the value name and leaves the default.
      {"HKCU", "\\", "Missing", "", text, 0, text},
      {"HKCU", "\\", "", "x", text, 0, text},
      {"HKCU", "\\Nowhere\\", "", "", text, 2, text},
      // Not a root: the registry is never reached.
      {"HKEY_CURRENT_USER", "", "Temp", "S", number, 99, number},
  };
}

}  // namespace torvel::expected
