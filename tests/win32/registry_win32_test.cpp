// The registry reader on the real registry: the shared table of cases against values this test
// stores under a key of its own, which grants reading only (as HKLM does to most users).
#include "platform/win32/registry_win32.h"

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <sddl.h>

#include <cstring>

#include "../expected/reader_cases.h"
#include "support/ui_driver.h"

namespace torvel {
namespace {

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
    // Text is stored as the registry holds it, UTF-16; every other type as its bytes. The "X"
    // after the data keeps the registry from adding a NUL that a text value lacks.
    const std::wstring text = bench::W(v.bytes) + L'X';
    const bool is_text = v.type == kRegSz || v.type == kRegExpandSz || v.type == kRegMultiSz;
    RegSetValueExW(key, std::wstring(v.name, v.name + std::strlen(v.name)).c_str(), 0, v.type,
                   is_text ? reinterpret_cast<const BYTE*>(text.data())
                           : reinterpret_cast<const BYTE*>(v.bytes.data()),
                   is_text ? (text.size() - 1) * sizeof(wchar_t) : v.bytes.size());
  }
  SetAccess(key, "D:P(A;;KR;;;WD)");
  Win32Registry registry;
  EXPECT_EQ(expected::ReadOutcomes(registry, path),
            bench::ReadWholeFile(std::string("Z:") + TORVEL_SOURCE_DIR +
                                 "/tests/expected/reader_outcomes.txt"));
  SetAccess(key, "D:P(A;;KA;;;WD)");
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

}  // namespace
}  // namespace torvel
