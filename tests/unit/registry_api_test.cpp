#include "products/registry_api.h"

#include <gtest/gtest.h>

#include <new>

#include "expected/reader_cases.h"
#include "fakes/fake_registry.h"

namespace torvel {
namespace {

using testing::FakeRegistry;

const std::string kKey = "Software\\Test\\Reader";
const RegValue kTextDefault = std::string("default");
const RegValue kNumberDefault = std::int32_t{12345};

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const expected::StoredValue& v : expected::ReaderValues()) {
      reg.SetValue(kHkeyCurrentUser, kKey, v.name, v.type, Bytes(v.bytes));
    }
    reg.SetString(kHkeyLocalMachine, kKey, "Temp", "machine");
    reg.ResetCounts();
  }

  FakeRegistry reg;
};

TEST_F(ReaderTest, ReadsValues) {
  std::vector<expected::ReadCase> cases = expected::ReaderCases();
  // Each root has its own keys.
  cases.push_back({"HkLm", "", "Temp", "S", kTextDefault, 0, std::string("machine")});
  for (const expected::ReadCase& c : cases) {
    SCOPED_TRACE(std::string(c.root) + " " + c.below + " " + c.name + " " + c.kind);
    RegValue value = std::string("stale");
    EXPECT_EQ(
        ReadRegistryValue(reg, c.root, kKey + c.below, c.name, c.kind, c.default_value, value),
        c.status);
    EXPECT_EQ(value, c.expected);
    EXPECT_EQ(reg.open_keys(), 0);
  }
  // Paths and value names compare case-insensitively, as in Windows.
  RegValue value;
  EXPECT_EQ(
      ReadRegistryValue(reg, "HKCU", "software\\TEST\\reader\\", "TEMP", "S", kTextDefault, value),
      0);
  EXPECT_EQ(value, RegValue(std::string("C:\\Temp")));
}

TEST_F(ReaderTest, UnknownRootLeavesTheRegistryUntouched) {
  for (const char* root : {"HKEY_CURRENT_USER", "", "HKLM ", "HKEY"}) {
    RegValue value = std::string("stale");
    EXPECT_EQ(ReadRegistryValue(reg, root, kKey, "Temp", "S", kNumberDefault, value), 99) << root;
    EXPECT_EQ(value, kNumberDefault);
  }
  EXPECT_EQ(reg.calls(), 0);
}

TEST(GetRootKey, NamesAndHandles) {
  struct Case {
    const char* name;
    RegKey key;
  } cases[] = {
      {"HKCR", 0x80000000},      {"HKCU", 0x80000001}, {"hklm", 0x80000002},
      {"Hku", 0x80000003},       {"HKCC", 0x80000005}, {"hkdd", 0x80000006},
      {"HKEY_LOCAL_MACHINE", 0}, {"HKC", 0},           {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(GetRootKey(c.name), c.key) << c.name;
}

// Every registry call of a read failing in turn: the failing call's code comes back, the
// default stays (unless only the final close fails), and the key is never left open.
TEST_F(ReaderTest, EveryFailingCallIsReportedAndTheKeyClosed) {
  struct Case {
    const char* name;
    const char* kind;
    RegValue default_value;
    RegValue read;
    int calls;
  } cases[] = {
      {"Temp", "S", kTextDefault, std::string("C:\\Temp"), 4},
      {"One", "D", kNumberDefault, std::int32_t{1}, 3},
      {"", "", kTextDefault, kTextDefault, 2},
  };
  for (const Case& c : cases) {
    for (int n = 1; n <= c.calls; ++n) {
      SCOPED_TRACE(std::string(c.kind) + " call " + std::to_string(n));
      reg.ResetCounts();
      reg.FailNthCall(n, 1018);
      RegValue value;
      EXPECT_EQ(ReadRegistryValue(reg, "HKCU", kKey, c.name, c.kind, c.default_value, value), 1018);
      EXPECT_EQ(value, n == c.calls ? c.read : c.default_value);
      EXPECT_EQ(reg.open_keys(), 0);
      EXPECT_EQ(reg.open_calls(), 1);
      EXPECT_EQ(reg.close_calls(), n == 1 ? 0 : 1);
    }
  }
}

// A registry that misbehaves: reports more data than it handed over, or throws.
class MisbehavingRegistry : public Registry {
 public:
  bool throw_on_read = false;
  int open_keys = 0;

  long OpenKey(RegKey, const std::string&, RegKey* key) override {
    ++open_keys;
    *key = 7;
    return 0;
  }
  long QueryValue(RegKey, const std::string&, std::uint32_t*, std::uint8_t* data,
                  std::uint32_t* size) override {
    if (*size == 0) {
      *size = 3;
      return 234;
    }
    if (throw_on_read) throw std::bad_alloc();
    std::fill(data, data + *size, 'x');
    *size = 1000000;  // far beyond the buffer it was given
    return 0;
  }
  long CloseKey(RegKey) override {
    --open_keys;
    return 0;
  }
};

TEST(ReaderSafety, NeverReadsBeyondTheBufferOrLetsAnExceptionOut) {
  MisbehavingRegistry reg;
  RegValue value;
  EXPECT_EQ(ReadRegistryValue(reg, "HKLM", "K", "V", "S", kTextDefault, value), 0);
  EXPECT_EQ(value, RegValue(std::string("xx")));
  reg.throw_on_read = true;
  EXPECT_EQ(ReadRegistryValue(reg, "HKLM", "K", "V", "S", kTextDefault, value), 234);
  EXPECT_EQ(value, kTextDefault);
  EXPECT_EQ(reg.open_keys, 0);
}

}  // namespace
}  // namespace torvel
