// The real tool under Wine: the About dialog opened from Help, its texts, closing it from the
// keyboard, and System Info with the viewer's registry keys set up in each way.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/app_info.h"
#include "app/win32/about_ids.h"
#include "app/win32/control_ids.h"
#include "support/ui_driver.h"

namespace {

constexpr char kPathKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kAboutCaption[] = "About TORVEL Support Tool";
constexpr char kTitle[] = "TORVEL Support Tool";
constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

// One machine value, as found before the test and put back after it: the value's type and
// bytes, or none, and whether its key existed at all.
class SavedValue {
 public:
  SavedValue(const char* key, const char* name) : key_(key), name_(name) {
    HKEY handle = nullptr;
    key_existed_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &handle) == 0;
    if (!key_existed_) return;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(handle, name, nullptr, &type, nullptr, &size) == 0) {
      std::vector<BYTE> bytes(size);
      if (RegQueryValueExA(handle, name, nullptr, &type, bytes.data(), &size) == 0) {
        bytes.resize(size);
        value_ = Value{type, bytes};
      }
    }
    RegCloseKey(handle);
  }
  SavedValue(const SavedValue&) = delete;
  SavedValue& operator=(const SavedValue&) = delete;
  ~SavedValue() {
    if (value_) {
      Write(value_->type, value_->bytes);
    } else {
      Remove();
      if (!key_existed_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, key_);
    }
  }

  bool SetString(const std::string& text) {
    return Write(REG_SZ, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1));
  }
  void Remove() {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_, 0, KEY_SET_VALUE, &handle) != 0) return;
    RegDeleteValueA(handle, name_);
    RegCloseKey(handle);
  }

 private:
  struct Value {
    DWORD type;
    std::vector<BYTE> bytes;
  };
  bool Write(DWORD type, const std::vector<BYTE>& bytes) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != 0) {
      return false;
    }
    bool ok =
        RegSetValueExA(handle, name_, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())) == 0;
    RegCloseKey(handle);
    return ok;
  }

  const char* key_;
  const char* name_;
  bool key_existed_ = false;
  std::optional<Value> value_;
};

// The tool started with its main window, and the viewer's two values saved: whatever Wine's
// prefix holds is taken away for the test and put back afterwards.
class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_.Remove();
    folder_.Remove();
    const std::string folder = bench::MakeTempDir("about");
    const std::string exe = bench::CopyToolInto(folder);
    ASSERT_FALSE(exe.empty());
    ASSERT_TRUE(tool_.Start(exe, "", folder));
    window_ = bench::WaitForWindow(tool_.pid(), TORVEL_MAIN_CLASS, "");
    ASSERT_NE(window_, nullptr) << "the main window did not appear";
  }
  void TearDown() override { tool_.Kill(); }

  HWND OpenAbout() {
    bench::ChooseMenu(window_, ID_MNU_SYS_INFO);
    HWND about = bench::WaitForWindow(tool_.pid(), "#32770", kAboutCaption);
    EXPECT_NE(about, nullptr) << "the About dialog did not appear";
    return about;
  }
  HWND Focused(HWND window) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    return gui.hwndFocus;
  }

  SavedValue path_{kPathKey, "PATH"};
  SavedValue folder_{kFolderKey, "MSINFO"};
  bench::Process tool_;
  HWND window_ = nullptr;
};

TEST_F(AboutTest, CaptionTextsAndLayout) {
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), window_);
  struct Text {
    int id;
    std::string text;
  } texts[] = {
      {ID_ABOUT_LBL_TITLE, kTitle},
      {ID_ABOUT_LBL_VERSION,
       std::string("Version 2.1.0") + std::string(14, ' ') + torvel::kLegalNotice},
      {ID_ABOUT_LBL_DESCRIPTION,
       "TORVEL Support Tool is a utility that retrieves information about the configuration of "
       "the computer and about installed TORVEL Products. "},
      {ID_ABOUT_LBL_DISCLAIMER, "TORVEL Support Tool created by TORVEL Tech Support"},
      {ID_ABOUT_CMD_OK, "OK"},
      {ID_ABOUT_CMD_SYS_INFO, "&System Info..."},
  };
  for (const Text& t : texts) {
    EXPECT_EQ(bench::WindowText(GetDlgItem(about, t.id)), t.text) << t.id;
  }
  EXPECT_NE(GetDlgItem(about, ID_ABOUT_LINE1), nullptr);
  EXPECT_NE(SendDlgItemMessageA(about, ID_ABOUT_PIC_ICON, STM_GETICON, 0, 0), 0)
      << "the picture has no icon";

  LONG style = GetWindowLongA(about, GWL_STYLE);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  HWND ok = GetDlgItem(about, ID_ABOUT_CMD_OK);
  EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(bench::WaitUntil([&] { return Focused(about) == ok; })) << "OK lacks the focus";

  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  RECT client{};
  GetClientRect(about, &client);
  EXPECT_EQ(client.right, MulDiv(5790, dpi, 1440));
  EXPECT_EQ(client.bottom, MulDiv(2370, dpi, 1440));
  RECT button{};
  GetWindowRect(GetDlgItem(about, ID_ABOUT_CMD_SYS_INFO), &button);
  MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&button), 2);
  EXPECT_EQ(button.left, MulDiv(4560, dpi, 1440));
  EXPECT_EQ(button.top, MulDiv(1920, dpi, 1440));
  EXPECT_EQ(button.right - button.left, MulDiv(1125, dpi, 1440));
}

TEST_F(AboutTest, EnterAndEscCloseTheDialog) {
  for (WORD key : {VK_RETURN, VK_ESCAPE}) {
    SCOPED_TRACE(key == VK_RETURN ? "Enter" : "Esc");
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(bench::PressKeys(about, {key}));
    EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindow(about); })) << "the dialog stayed open";
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_TRUE(IsWindowEnabled(window_)) << "the main window was not given back";
  }
}

TEST_F(AboutTest, SystemInfoStartsTheNamedProgramOrSaysItIsUnavailable) {
  const std::string recorder = bench::BinDir() + "\\recorder.exe";
  // A folder that holds the viewer under its expected name: a copy of the recorder.
  const std::string viewer_folder = bench::MakeTempDir("viewer");
  ASSERT_TRUE(CopyFileA(recorder.c_str(), (viewer_folder + "\\MSINFO32.EXE").c_str(), FALSE));
  const std::string empty_folder = bench::MakeTempDir("noviewer");
  struct Case {
    const char* name;
    std::string path;    // the PATH value; empty: none
    std::string folder;  // the MSINFO folder value; empty: none
    std::string log;     // the recorder log that a start appends to; empty: the message
  } cases[] = {
      {"PATH names the program", recorder, "", bench::BinDir() + "\\recorder-log.txt"},
      {"only the folder, viewer there", "", viewer_folder, viewer_folder + "\\recorder-log.txt"},
      {"only the folder, no viewer", "", empty_folder, ""},
      {"PATH names a missing program", bench::BinDir() + "\\missing.exe", "", ""},
      {"neither key", "", "", ""},
  };
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    path_.Remove();
    folder_.Remove();
    if (!c.path.empty()) {
      ASSERT_TRUE(path_.SetString(c.path));
    }
    if (!c.folder.empty()) {
      ASSERT_TRUE(folder_.SetString(c.folder));
    }
    std::size_t logged = c.log.empty() ? 0 : bench::ReadWholeFile(c.log).value_or("").size();

    bench::Click(about, ID_ABOUT_CMD_SYS_INFO);

    if (c.log.empty()) {
      auto box = bench::WaitForMessageBox(tool_.pid());
      ASSERT_TRUE(box.has_value()) << "no message";
      EXPECT_EQ(box->title, kTitle);
      EXPECT_EQ(box->text, kUnavailable);
      EXPECT_EQ(bench::ButtonsOf(box->hwnd), std::vector<int>{IDOK});
      EXPECT_EQ(GetWindow(box->hwnd, GW_OWNER), about) << "the box should belong to the dialog";
      EXPECT_TRUE(bench::Answer(*box, IDOK));
    } else {
      std::string line;
      EXPECT_TRUE(bench::WaitUntil([&] {
        line = bench::ReadWholeFile(c.log).value_or("").substr(logged);
        return !line.empty();
      })) << "the program was not started";
      // The program alone, in quotes, on the command line.
      const std::string program = c.path.empty() ? c.folder + "\\MSINFO32.EXE" : c.path;
      EXPECT_EQ(line, "\"" + program + "\"\r\n");
    }
    EXPECT_TRUE(IsWindow(about)) << "the dialog should stay open";
  }
  bench::Click(about, ID_ABOUT_CMD_OK);
  EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindow(about); }));
  for (const char* file : {"\\MSINFO32.EXE", "\\recorder-log.txt"}) {
    DeleteFileA((viewer_folder + file).c_str());
  }
  RemoveDirectoryA(viewer_folder.c_str());
  RemoveDirectoryA(empty_folder.c_str());
}

}  // namespace
