#include "app/sysinfo_launcher.h"

#include <gtest/gtest.h>

#include "app/about_texts.h"
#include "fakes/fake_platform.h"
#include "platform/failure.h"

namespace torvel {
namespace {

using testing::FakeMachine;
using testing::FakeRegistry;
using testing::RegOp;

constexpr char kKey[] = "SOFTWARE\\Test\\Values";
constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";
constexpr char kViewer[] = "C:\\Program Files\\Viewer\\viewer.exe";
constexpr char kFolder[] = "C:\\Program Files\\Common Files\\Viewer";
constexpr char kFolderViewer[] = "C:\\Program Files\\Common Files\\Viewer\\MSINFO32.EXE";

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Each key is closed again, whatever the outcome.
TEST(GetKeyValue, ConvertsByTypeAndFailsCleanly) {
  constexpr std::uint32_t kNoKey = ~0u;
  const std::string long_text(1024, 'x');
  struct Case {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
    bool add_value;  // false: the value is missing; with kNoKey, the key too
    long open_failure;
    bool expected;
    std::string value;
  } cases[] = {
      {"string with NUL", kRegSz, Bytes(std::string("C:\\x.exe\0", 9)), true, 0, true, "C:\\x.exe"},
      {"string without NUL", kRegSz, Bytes("C:\\x.exe"), true, 0, true, "C:\\x.exe"},
      {"string of one NUL", kRegSz, {0}, true, 0, true, ""},
      {"empty string", kRegSz, {}, true, 0, true, ""},
      {"only the last NUL goes", kRegSz, Bytes(std::string("ab\0\0", 4)), true, 0, true,
       std::string("ab\0", 3)},
      {"1024 bytes exactly", kRegSz, Bytes(long_text), true, 0, true, long_text},
      {"1025 bytes", kRegSz, Bytes(long_text + "y"), true, 0, false, ""},
      {"dword 0x105", kRegDword, {0x05, 0x01, 0x00, 0x00}, true, 0, true, "261"},
      {"dword all ones", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, true, 0, true, "4294967295"},
      {"short dword", kRegDword, {0x2A}, true, 0, true, "42"},
      {"binary keeps caller's text", kRegBinary, {1, 2, 3}, true, 0, true, "caller"},
      {"expandable keeps caller's text", kRegExpandSz, Bytes("%x%"), true, 0, true, "caller"},
      {"missing value", kRegSz, {}, false, 0, false, ""},
      {"missing key", kNoKey, {}, false, 0, false, ""},
      {"key not readable", kRegSz, Bytes("x"), true, 5, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeRegistry registry;
    if (c.type != kNoKey) registry.AddKey(kHkeyLocalMachine, kKey);
    if (c.add_value) registry.SetValue(kHkeyLocalMachine, kKey, "V", c.type, c.bytes);
    if (c.open_failure) registry.Fail(RegOp::kOpen, c.open_failure);
    std::string value = "caller";
    EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, kKey, "V", &value), c.expected);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(registry.open_keys(), 0);
  }
}

// A shell whose program start raises instead of reporting failure.
class RaisingShell : public testing::FakeShell {
 public:
  bool StartProgram(const std::string&) override { throw Failure(5, "Access is denied."); }
};

TEST(StartSysInfo, LookupOrderAndMessage) {
  enum Path { kNone, kPresent, kPresentUnreadable, kKeyWithoutValue };
  struct Case {
    const char* name;
    Path path_value;
    bool folder_value;
    std::uint32_t viewer_attributes;  // of the file in the folder; ~0u: no file
    bool start_succeeds;
    std::string started;  // empty: nothing started
    bool message;
  } cases[] = {
      {"PATH present", kPresent, false, ~0u, true, kViewer, false},
      {"PATH wins over the folder", kPresent, true, 0, true, kViewer, false},
      {"only the folder, viewer there", kNone, true, 0, true, kFolderViewer, false},
      {"read-only viewer is found", kNone, true, kAttrReadOnly, true, kFolderViewer, false},
      {"only the folder, no viewer", kNone, true, ~0u, true, "", true},
      {"hidden viewer is not found", kNone, true, kAttrHidden, true, "", true},
      {"folder of that name", kNone, true, kAttrDirectory, true, "", true},
      {"neither key", kNone, false, 0, true, "", true},
      {"PATH names a missing program", kPresent, false, ~0u, false, kViewer, true},
      {"folder viewer fails to start", kNone, true, 0, false, kFolderViewer, true},
      {"PATH key without the value", kKeyWithoutValue, true, 0, true, kFolderViewer, false},
      {"PATH key not readable", kPresentUnreadable, true, 0, true, kFolderViewer, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMachine machine;
    const std::string path_key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const std::string folder_key = "SOFTWARE\\Microsoft\\Shared Tools Location";
    if (c.path_value == kKeyWithoutValue) machine.registry.AddKey(kHkeyLocalMachine, path_key);
    if (c.path_value == kPresent || c.path_value == kPresentUnreadable) {
      machine.registry.SetString(kHkeyLocalMachine, path_key, "PATH", kViewer);
    }
    if (c.path_value == kPresentUnreadable) machine.registry.Fail(RegOp::kOpen, 5, path_key);
    if (c.folder_value) {
      machine.registry.SetString(kHkeyLocalMachine, folder_key, "MSINFO", kFolder);
    }
    if (c.viewer_attributes != ~0u) machine.files.files[kFolderViewer] = {"", c.viewer_attributes};
    machine.shell.start_succeeds = c.start_succeeds;

    StartSysInfo(machine.platform());

    if (c.started.empty()) {
      EXPECT_TRUE(machine.shell.started.empty());
    } else {
      EXPECT_EQ(machine.shell.started, std::vector<std::string>{c.started});
    }
    EXPECT_TRUE(machine.shell.executed.empty());
    if (c.message) {
      ASSERT_EQ(machine.dialogs.shown.size(), 1u);
      EXPECT_EQ(machine.dialogs.shown[0].text, kUnavailable);
      EXPECT_EQ(machine.dialogs.shown[0].title, "TORVEL Support Tool");
      EXPECT_EQ(machine.dialogs.shown[0].buttons, Buttons::kOk);
    } else {
      EXPECT_TRUE(machine.dialogs.shown.empty());
    }
    EXPECT_EQ(machine.registry.open_keys(), 0);
  }
}

TEST(StartSysInfo, ARaisedFailureBecomesTheMessage) {
  FakeMachine machine;
  RaisingShell shell;
  machine.registry.SetString(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                             kViewer);
  Platform p = machine.platform();
  Platform with_shell{p.registry, p.system,  p.identity,   p.network, p.files,
                      shell,      p.dialogs, p.automation, p.clock};
  StartSysInfo(with_shell);
  ASSERT_EQ(machine.dialogs.shown.size(), 1u);
  EXPECT_EQ(machine.dialogs.shown[0].text, kUnavailable);
}

TEST(AboutTexts, ExactTexts) {
  AboutTexts texts = BuildAboutTexts();
  EXPECT_EQ(texts.caption, "About TORVEL Support Tool");
  EXPECT_EQ(texts.title, "TORVEL Support Tool");
  EXPECT_EQ(texts.version, "Version 2.1.0              (C) TORVEL");
  EXPECT_EQ(texts.description,
            "TORVEL Support Tool is a utility that retrieves information about the configuration "
            "of the computer and about installed TORVEL Products. ");
  EXPECT_EQ(texts.disclaimer, "TORVEL Support Tool created by TORVEL Tech Support");
}

}  // namespace
}  // namespace torvel
