// The registry reader on the real registry: the shared table of cases against values this test
// stores under a key of its own, which grants reading only (as HKLM does to most users).
#include "platform/win32/registry_win32.h"

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <sddl.h>

#include "../expected/reader_cases.h"

namespace torvel {
namespace {

// Counts the keys opened and not closed.
struct CountingRegistry : Win32Registry {
  long OpenKey(RegKey root, const std::string& path, RegKey* key) override {
    long code = Win32Registry::OpenKey(root, path, key);
    return open_keys += code == 0, code;
  }
  long CloseKey(RegKey key) override {
    long code = Win32Registry::CloseKey(key);
    return open_keys -= code == 0, code;
  }
  int open_keys = 0;
};

void SetAccess(HKEY key, const char* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, 0);
  EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
  LocalFree(descriptor);
}

TEST(RealRegistry, EveryReaderCase) {
  const std::string path = "Software\\TORVELSupportTests";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  for (const expected::StoredValue& v : expected::ReaderValues()) {
    // The registry adds a NUL the caller left out of a text value when one follows the data in
    // memory; the "X" behind it keeps every value exactly as given.
    const std::string buffer = v.bytes + "X";
    RegSetValueExA(key, v.name, 0, v.type, reinterpret_cast<const BYTE*>(buffer.data()),
                   v.bytes.size());
  }
  SetAccess(key, "D:P(A;;KR;;;WD)");
  CountingRegistry registry;
  for (const expected::ReadCase& c : expected::ReaderCases()) {
    SCOPED_TRACE(std::string(c.root) + " " + c.below + " " + c.name + " " + c.kind);
    RegValue value = std::string("stale");
    EXPECT_EQ(
        ReadRegistryValue(registry, c.root, path + c.below, c.name, c.kind, c.default_value, value),
        c.status);
    EXPECT_EQ(value, c.expected);
    EXPECT_EQ(registry.open_keys, 0);
  }
  SetAccess(key, "D:P(A;;KA;;;WD)");
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

}  // namespace
}  // namespace torvel
