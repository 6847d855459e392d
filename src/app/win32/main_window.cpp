#include "app/win32/main_window.h"

#include <exception>

#include "app/win32/about_dialog.h"
#include "app/win32/control_ids.h"
#include "app/win32/control_layout.h"
#include "commands/commands.h"
#include "machine/uptime.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/utf8.h"
#include "text/app_info.h"

namespace torvel {

namespace {

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr DWORD kWrappingLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

constexpr char kInstructions[] =
    "Click View/Save to a file to save a text file which you can then email to your Tech "
    "Support contact. As an alternative, you can enter the email address you want in the "
    "above field and click Email the saved file.";

// Creation order is the tab order: the recipient field, then the three buttons.
const ControlSpec kControls[] = {
    {ID_LBL_EMAIL_TO, "STATIC", "Email To:", 2760, 1080, 660, 195, kLabel, 0},
    {ID_TXT_EMAIL_TO, "EDIT", kSupportAddress, 2760, 1320, 3735, 285,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {ID_LABEL1, "STATIC", "Instructions:", 240, 1800, 1695, 255, kLabel, 0},
    {ID_LABEL2, "STATIC", kInstructions, 240, 2040, 6255, 615, kWrappingLabel, 0},
    {ID_CMD_SAVE_TO_FILE, "BUTTON", "View/&Save to a file", 240, 2760, 1575, 615, kButton, 0},
    {ID_CMD_SENT_EMAIL, "BUTTON", "&Email the saved file", 2640, 2760, 1575, 615, kButton, 0},
    {ID_CMD_EXIT, "BUTTON", "E&xit", 5040, 2760, 1455, 615, kButton, 0},
    {ID_LBL_COMPUTER_RUNNING, "STATIC", "", 120, 3480, 6375, 255, kLabel | SS_NOPREFIX, 0},
};

struct ButtonPicture {
  int button_id;
  int icon_id;
};
const ButtonPicture kButtonPictures[] = {
    {ID_CMD_SAVE_TO_FILE, IDI_SAVE}, {ID_CMD_SENT_EMAIL, IDI_EMAIL}, {ID_CMD_EXIT, IDI_EXIT}};

struct MenuItem {
  int id;  // 0 opens a new menu
  const char* caption;
};
const MenuItem kMenu[] = {
    {0, "&File"},
    {ID_MNU_SAVE, "View/&Save to a file"},
    {ID_MNU_EMAIL, "&Email the saved file"},
    {ID_MNU_PRIVATE, "&Private report"},  // checked: View/Save and E-mail write a private report
    {ID_MNU_EXIT, "E&xit"},
    {0, "&Help"},
    {ID_MNU_SYS_INFO, "&About TORVEL Support Tool"},
};

constexpr int kClientWidthTwips = 6660;
constexpr int kClientHeightTwips = 3840;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr COLORREF kBrown = RGB(128, 64, 0);

HMENU BuildMenu() {
  HMENU bar = CreateMenu();
  HMENU current = nullptr;
  for (const MenuItem& item : kMenu) {
    if (item.id == 0) {
      current = CreatePopupMenu();
      AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(current), Wide(item.caption).c_str());
    } else {
      AppendMenuW(current, MF_STRING, item.id, Wide(item.caption).c_str());
    }
  }
  return bar;
}

// "MS Sans Serif" 8.25 pt, the window's font.
HFONT MakeFont(int dpi, bool underline) {
  return CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

}  // namespace

bool MainWindow::Create(HINSTANCE instance, int show) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
  controls::InitCommonControlsEx(&init);

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &MainWindow::Proc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
  window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP),
                                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = TORVEL_MAIN_CLASS_W;
  if (!RegisterClassExW(&window_class)) return false;

  dpi_ = WindowDc(nullptr).dpi();

  HMENU menu = BuildMenu();
  RECT frame{0, 0, Scale(kClientWidthTwips), Scale(kClientHeightTwips)};
  AdjustWindowRectEx(&frame, kWindowStyle, TRUE, WS_EX_CONTROLPARENT);
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, TORVEL_MAIN_CLASS_W, Wide(kAppTitle).c_str(),
                          kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                          frame.bottom - frame.top, nullptr, menu, instance, this);
  if (!hwnd_) return false;
  // The menu may wrap or the frame differ from the estimate: fix the client area exactly.
  RECT client;
  GetClientRect(hwnd_, &client);
  RECT window;
  GetWindowRect(hwnd_, &window);
  int dx = Scale(kClientWidthTwips) - (client.right - client.left);
  int dy = Scale(kClientHeightTwips) - (client.bottom - client.top);
  if (dx != 0 || dy != 0) {
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + dx,
                 window.bottom - window.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(hwnd_, show);
  UpdateWindow(hwnd_);
  focus_ = GetDlgItem(hwnd_, ID_TXT_EMAIL_TO);
  SetFocus(focus_);
  return true;
}

void MainWindow::CreateChildren() {
  font_ = UniqueFont(MakeFont(dpi_, false));
  underlined_font_ = UniqueFont(MakeFont(dpi_, true));
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  CreateControls(hwnd_, kControls, dpi_, font_.get());
  SendDlgItemMessageW(hwnd_, ID_LABEL1, WM_SETFONT,
                      reinterpret_cast<WPARAM>(underlined_font_.get()), FALSE);
  // Small pictures above the button captions.
  int size = GetSystemMetrics(SM_CXSMICON);
  for (std::size_t i = 0; i < std::size(kButtonPictures); ++i) {
    HIMAGELIST images = controls::ImageListCreate(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
    UniqueIcon icon(static_cast<HICON>(LoadImageW(
        instance, MAKEINTRESOURCEW(kButtonPictures[i].icon_id), IMAGE_ICON, size, size, 0)));
    controls::ImageListAddIcon(images, icon.get());
    button_images_[i] = UniqueImageList(images);
    BUTTON_IMAGELIST list{images, {2, 4, 2, 0}, BUTTON_IMAGELIST_ALIGN_TOP};
    SendDlgItemMessageW(hwnd_, kButtonPictures[i].button_id, BCM_SETIMAGELIST, 0,
                        reinterpret_cast<LPARAM>(&list));
  }
}

void MainWindow::LoadSequence() {
  Uptime uptime = SystemRunning(s_.sources.clock.TickCount());
  std::string caption = std::string(kAppTitle) + " Version " + VersionText();
  SetWindowTextW(hwnd_, Wide(caption).c_str());
  SetDlgItemTextW(hwnd_, ID_LBL_COMPUTER_RUNNING, Wide(UptimeSentence(uptime)).c_str());
}

void MainWindow::OnCommand(int id) {
  try {
    switch (id) {
      case ID_CMD_SAVE_TO_FILE:
      case ID_MNU_SAVE:
        SaveViewCommand(s_.sources, dialogs_, s_.shell, reinterpret_cast<WindowRef>(hwnd_),
                        private_report_);
        break;
      case ID_CMD_SENT_EMAIL:
      case ID_MNU_EMAIL: {
        HWND field = GetDlgItem(hwnd_, ID_TXT_EMAIL_TO);
        std::wstring recipient(GetWindowTextLengthW(field) + 1, L'\0');
        recipient.resize(
            GetWindowTextW(field, recipient.data(), static_cast<int>(recipient.size())));
        EmailCommand(s_.sources, dialogs_, s_.shell, s_.simple_mail, Utf8(recipient), mail_state_,
                     private_report_);
        break;
      }
      case ID_MNU_PRIVATE:
        private_report_ = !private_report_;
        CheckMenuItem(GetMenu(hwnd_), ID_MNU_PRIVATE,
                      MF_BYCOMMAND | (private_report_ ? MF_CHECKED : MF_UNCHECKED));
        break;
      case ID_MNU_SYS_INFO:
        ShowAboutDialog(hwnd_, s_.sources.registry, s_.sources.files, s_.shell);
        break;
      case ID_CMD_EXIT:
      case ID_MNU_EXIT:
        DestroyWindow(hwnd_);
        break;
    }
  } catch (const std::exception& e) {
    // Nothing the commands raise may end the tool: say what went wrong and carry on.
    dialogs_.Show(std::string("The command could not be completed.\r\n") + e.what(), kAppTitle,
                  Buttons::kOk);
  }
}

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->Handle(message, wparam, lparam)
              : DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateChildren();
      LoadSequence();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) OnCommand(LOWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lparam) == GetDlgItem(hwnd_, ID_LBL_COMPUTER_RUNNING)) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, kBrown);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_ACTIVATE:
      // Like a dialog: the control that had the focus gets it back.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) focus_ = focus;
      } else if (focus_) {
        SetFocus(focus_);
      }
      return 0;
    case WM_SETCURSOR:
      // The wait cursor stays while a command works, wherever the mouse goes over the window.
      if (!dialogs_.busy()) break;
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      return TRUE;
    case WM_CLOSE:
      // Closed while a command works (the taskbar's Close window): the run is never ended
      // halfway; the program asked is given up, as Stop waiting does.
      if (!dialogs_.busy()) break;
      dialogs_.StopWaiting();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

}  // namespace torvel
