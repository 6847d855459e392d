// Whether a default mail program is set up: the user's own choice, else the machine's.
#include "platform/win32/simple_mail_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

namespace torvel {
namespace {

// Sets (or with null, removes) the default mail program under `root`.
void SetDefault(HKEY root, const char* name) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, "Software\\Clients\\Mail", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  if (name) RegSetValueExA(key, nullptr, 0, REG_SZ, (const BYTE*)name, std::strlen(name) + 1);
  if (!name) RegDeleteValueA(key, nullptr);
  RegCloseKey(key);
}

TEST(Win32SimpleMail, ADefaultForTheUserOrForTheMachine) {
  char machine[256] = "";
  DWORD size = sizeof machine;
  const bool had = RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Clients\\Mail", nullptr,
                                RRF_RT_REG_SZ, nullptr, machine, &size) == ERROR_SUCCESS;
  struct Case {
    const char *user, *machine;
    bool registered;
  };
  for (const Case& c : {Case{"Mine", nullptr, true},
                        {nullptr, "Everyone's", true},
                        {nullptr, nullptr, false},
                        {"", nullptr, false}}) {
    SCOPED_TRACE(std::string(c.user ? c.user : "-") + " " + (c.machine ? c.machine : "-"));
    SetDefault(HKEY_CURRENT_USER, c.user);
    SetDefault(HKEY_LOCAL_MACHINE, c.machine);
    EXPECT_EQ(Win32SimpleMail().MailProgramRegistered(), c.registered);
  }
  SetDefault(HKEY_CURRENT_USER, nullptr);
  SetDefault(HKEY_LOCAL_MACHINE, had ? machine : nullptr);
}

}  // namespace
}  // namespace torvel
