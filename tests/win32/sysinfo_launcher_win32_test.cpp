// The viewer's keys are read with read access alone: a key that grants nothing more still
// gives its value.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <sddl.h>

#include <string>

#include "app/sysinfo_launcher.h"
#include "platform/win32/registry_win32.h"

namespace torvel {
namespace {

// Sets the key's access list from a security descriptor in text form.
bool SetKeySecurity(HKEY key, const char* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                            nullptr)) {
    return false;
  }
  bool ok = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  LocalFree(descriptor);
  return ok;
}

TEST(SysInfoKeys, AKeyThatGrantsOnlyReadingIsRead) {
  const std::string path =
      "Software\\TORVELSupportTests\\ReadOnly" + std::to_string(GetCurrentProcessId());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const char viewer[] = "C:\\Viewer\\viewer.exe";
  ASSERT_EQ(
      RegSetValueExA(key, "PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(viewer), sizeof viewer),
      ERROR_SUCCESS);
  // Everyone may read the key; nobody may change it (its owner may still change the list).
  ASSERT_TRUE(SetKeySecurity(key, "D:P(A;;KR;;;WD)"));

  HKEY probe = nullptr;
  LONG full = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &probe);
  if (full == ERROR_SUCCESS) RegCloseKey(probe);

  Win32Registry registry;
  std::string value = "caller";
  bool read = GetKeyValue(registry, kHkeyCurrentUser, path, "PATH", &value);

  SetKeySecurity(key, "D:P(A;;KA;;;WD)");
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());

  if (full == ERROR_SUCCESS) GTEST_SKIP() << "this system does not enforce key security";
  EXPECT_EQ(full, ERROR_ACCESS_DENIED);
  EXPECT_TRUE(read);
  EXPECT_EQ(value, viewer);
}

}  // namespace
}  // namespace torvel
