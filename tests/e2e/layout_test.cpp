// The look of the tool's windows under Wine at 96 DPI: every control of the main window and of
// the About dialog sits within one pixel of its designed place (twips / 15).
#include <gtest/gtest.h>

#include "app/win32/about_ids.h"
#include "app/win32/control_ids.h"
#include "support/ui_driver.h"

namespace {

// A control's designed place in twips: left, top, width, height.
struct Placed {
  int id;
  int left, top, width, height;
};

void ExpectAtTwips(HWND parent, const std::vector<Placed>& controls, int client_width,
                   int client_height) {
  RECT client;
  GetClientRect(parent, &client);
  EXPECT_EQ(client.right, client_width / 15);
  EXPECT_EQ(client.bottom, client_height / 15);
  for (const Placed& c : controls) {
    HWND control = GetDlgItem(parent, c.id);
    ASSERT_NE(control, nullptr) << c.id;
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_NEAR(r.left, c.left / 15.0, 1) << "left of " << c.id;
    EXPECT_NEAR(r.top, c.top / 15.0, 1) << "top of " << c.id;
    EXPECT_NEAR(r.right - r.left, c.width / 15.0, 1) << "width of " << c.id;
    EXPECT_NEAR(r.bottom - r.top, c.height / 15.0, 1) << "height of " << c.id;
  }
}

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 96) << "the bench runs at 96 DPI";
    ASSERT_TRUE(tool_.Start(bench::ToolExe()));
    window_ = bench::WaitForWindow(tool_.pid(), TORVEL_MAIN_CLASS, "");
    ASSERT_NE(window_, nullptr);
  }
  bench::Process tool_;
  HWND window_ = nullptr;
};

TEST_F(LayoutTest, MainWindowControlsAtTheirTwipsPositions) {
  ExpectAtTwips(window_,
                {
                    {ID_LBL_EMAIL_TO, 2760, 1080, 660, 195},
                    {ID_TXT_EMAIL_TO, 2760, 1320, 3735, 285},
                    {ID_LABEL1, 240, 1800, 1695, 255},
                    {ID_LABEL2, 240, 2040, 6255, 615},
                    {ID_CMD_SAVE_TO_FILE, 240, 2760, 1575, 615},
                    {ID_CMD_SENT_EMAIL, 2640, 2760, 1575, 615},
                    {ID_CMD_EXIT, 5040, 2760, 1455, 615},
                    {ID_LBL_COMPUTER_RUNNING, 120, 3480, 6375, 255},
                },
                6660, 3840);
}

TEST_F(LayoutTest, AboutDialogControlsAtTheirTwipsPositions) {
  bench::ChooseMenu(window_, ID_MNU_SYS_INFO);
  HWND about = bench::WaitForWindow(tool_.pid(), "#32770", "About TORVEL Support Tool");
  ASSERT_NE(about, nullptr);
  ExpectAtTwips(about,
                {
                    {ID_ABOUT_LBL_TITLE, 1050, 240, 2805, 240},
                    {ID_ABOUT_LBL_VERSION, 1050, 480, 2925, 225},
                    {ID_ABOUT_LBL_DESCRIPTION, 1050, 840, 4605, 810},
                    {ID_ABOUT_LBL_DISCLAIMER, 240, 1980, 4335, 225},
                    {ID_ABOUT_CMD_OK, 4440, 120, 1260, 345},
                    {ID_ABOUT_CMD_SYS_INFO, 4560, 1920, 1125, 345},
                },
                5790, 2370);
  // The picture is the 34 x 34 application picture at the designed top left.
  RECT picture;
  GetWindowRect(GetDlgItem(about, ID_ABOUT_PIC_ICON), &picture);
  MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&picture), 2);
  EXPECT_NEAR(picture.left, 240 / 15.0, 1);
  EXPECT_NEAR(picture.top, 240 / 15.0, 1);
}

}  // namespace
