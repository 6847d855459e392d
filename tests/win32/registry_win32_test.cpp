// The registry reader against the real registry, with values this test creates under a key of
// its own and deletes afterwards.
#include "platform/win32/registry_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "../expected/reader_cases.h"
#include "products/registry_api.h"

namespace torvel {
namespace {

// Counts the calls that reach the real registry and the handles still open.
class CountingRegistry : public Registry {
 public:
  long OpenKey(RegKey root, const std::string& path, RegKey* key) override {
    ++calls;
    long code = real.OpenKey(root, path, key);
    if (code == 0) ++open_keys;
    return code;
  }
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    ++calls;
    return real.QueryValue(key, name, type, data, size);
  }
  long CloseKey(RegKey key) override {
    ++calls;
    long code = real.CloseKey(key);
    if (code == 0) --open_keys;
    return code;
  }

  Win32Registry real;
  int calls = 0;
  int open_keys = 0;
};

class RealRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    key_path = "Software\\TORVELSupportTests\\Reader" + std::to_string(GetCurrentProcessId());
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (const expected::StoredValue& v : expected::ReaderValues()) {
      // The registry adds a NUL the caller left out of a text value when one follows the data
      // in memory; the "X" behind it keeps every value exactly as given.
      const std::string buffer = v.bytes + "X";
      ASSERT_EQ(RegSetValueExA(key, v.name, 0, v.type, reinterpret_cast<const BYTE*>(buffer.data()),
                               static_cast<DWORD>(v.bytes.size())),
                ERROR_SUCCESS)
          << v.name;
    }
  }

  void TearDown() override {
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TORVELSupportTests");
  }

  std::string key_path;
  HKEY key = nullptr;
  CountingRegistry reg;
};

TEST_F(RealRegistryTest, ReadsWhatWasStored) {
  for (const expected::ReadCase& c : expected::ReaderCases()) {
    SCOPED_TRACE(std::string(c.root) + " " + c.below + " " + c.name + " " + c.kind);
    reg.calls = 0;
    RegValue value = std::string("stale");
    EXPECT_EQ(
        ReadRegistryValue(reg, c.root, key_path + c.below, c.name, c.kind, c.default_value, value),
        c.status);
    EXPECT_EQ(value, c.expected);
    EXPECT_EQ(reg.open_keys, 0);
    if (c.status == kStatusNoRoot) {
      EXPECT_EQ(reg.calls, 0);
    }
  }
}

// The service itself: Win32 codes unchanged, and the size probe with a real buffer of size 0.
TEST_F(RealRegistryTest, ServiceReturnsWin32Codes) {
  Win32Registry real;
  RegKey opened = 0;
  ASSERT_EQ(real.OpenKey(kHkeyCurrentUser, key_path, &opened), 0);
  std::uint8_t probe[1] = {0};
  std::uint32_t type = kRegSz;
  std::uint32_t size = 0;
  EXPECT_EQ(real.QueryValue(opened, "Temp", &type, probe, &size), 234);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(type, kRegSz);
  size = 0;
  EXPECT_EQ(real.QueryValue(opened, "NoData", &type, probe, &size), 0);
  EXPECT_EQ(size, 0u);
  size = 0;
  EXPECT_EQ(real.QueryValue(opened, "Missing", &type, probe, &size), 2);
  EXPECT_EQ(real.CloseKey(opened), 0);

  RegKey missing = 0;
  EXPECT_EQ(real.OpenKey(kHkeyCurrentUser, key_path + "\\Nowhere", &missing), 2);
  EXPECT_EQ(missing, 0u);
}

}  // namespace
}  // namespace torvel
