#include "app/win32/window_dialogs.h"

#include <commctrl.h>

#include <algorithm>

#include "app/win32/control_layout.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/utf8.h"

namespace torvel {

namespace {

constexpr wchar_t kClassName[] = L"TORVELProgress";
enum { kStepLabel = 100, kBar, kSecondsLabel };
// How often the seconds left are brought up to date while a program is asked.
constexpr DWORD kRefreshMs = 200;

// The seconds line, while a program is asked.
std::wstring SecondsText(std::uint64_t seconds) {
  return Wide("Given up in " + std::to_string(seconds) + (seconds == 1 ? " second" : " seconds") +
              " unless it answers.");
}

}  // namespace

WindowDialogs::~WindowDialogs() {
  if (window_) DestroyWindow(window_);
}

Answer WindowDialogs::Show(const std::string& text, const std::string& title, Buttons buttons) {
  // A box in the middle of the work takes the progress window's place, and gives the main window
  // back its input when it closes: that is taken away again until the work ends.
  if (window_) ShowWindow(window_, SW_HIDE);
  const Answer answer = Win32Dialogs::Show(text, title, buttons);
  if (busy()) EnableWindow(static_cast<HWND>(owner_), FALSE);
  return answer;
}

void WindowDialogs::SetBusy(bool busy) {
  Win32Dialogs::SetBusy(busy);
  HWND owner = static_cast<HWND>(owner_);
  if (busy && depth_++ == 0) {
    state_.Begin(clock_.TickCount());
    stop_ = false;
    EnableWindow(owner, FALSE);
  } else if (!busy && --depth_ == 0) {
    // Input back first, so that the main window is the one activated when the progress goes.
    EnableWindow(owner, TRUE);
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
  }
}

void WindowDialogs::SetStep(const std::string& step) {
  state_.Step(step);
  stop_ = false;  // a new step asks another program, if any
  if (window_) Refresh();
}

Waiting::Outcome WindowDialogs::Wait(HANDLE done, DWORD timeout_ms, DWORD give_up_in_ms) {
  const std::uint64_t start = clock_.TickCount();
  state_.Asking(start + give_up_in_ms);
  Outcome outcome = Outcome::kTimedOut;
  for (;;) {
    Refresh();
    if (stop_) {
      outcome = Outcome::kStopped;
      break;
    }
    const std::uint64_t waited = clock_.TickCount() - start;
    if (waited >= timeout_ms) break;
    const DWORD slice =
        static_cast<DWORD>(std::min<std::uint64_t>(timeout_ms - waited, kRefreshMs));
    const DWORD handles = done ? 1 : 0;
    const DWORD woken = MsgWaitForMultipleObjects(handles, &done, FALSE, slice, QS_ALLINPUT);
    if (done && woken == WAIT_OBJECT_0) {
      outcome = Outcome::kDone;
      break;
    }
    if (woken == WAIT_OBJECT_0 + handles) Pump();
  }
  state_.Asking(std::nullopt);
  if (quit_) PostQuitMessage(0);
  quit_ = false;
  return outcome;
}

void WindowDialogs::Pump() {
  MSG message;
  while (!quit_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit_ = stop_ = true;
    } else if (!window_ || !IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void WindowDialogs::Refresh() {
  const std::optional<ProgressView> view = state_.At(clock_.TickCount());
  if (!view || !busy()) return;
  if (!window_) Create();
  if (!window_) return;
  SetDlgItemTextW(window_, kStepLabel, Wide(view->step).c_str());
  const bool asking = view->seconds_left.has_value();
  if (asking) SetDlgItemTextW(window_, kSecondsLabel, SecondsText(*view->seconds_left).c_str());
  ShowWindow(GetDlgItem(window_, kSecondsLabel), asking ? SW_SHOWNA : SW_HIDE);
  ShowWindow(GetDlgItem(window_, IDCANCEL), asking ? SW_SHOWNA : SW_HIDE);
  if (!IsWindowVisible(window_)) {
    ShowWindow(window_, SW_SHOW);
    // The keyboard reaches the button at once: Enter or Space stops waiting, as Esc does.
    if (asking) SetFocus(GetDlgItem(window_, IDCANCEL));
  }
}

void WindowDialogs::Create() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  static const bool registered = [instance] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &Proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursor(nullptr, IDC_WAIT);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = kClassName;
    return RegisterClassExW(&window_class) != 0;
  }();
  INITCOMMONCONTROLSEX init{sizeof init, ICC_PROGRESS_CLASS};
  controls::InitCommonControlsEx(&init);
  HWND owner = static_cast<HWND>(owner_);
  const int dpi = WindowDc(owner).dpi();
  auto scale = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
  RECT frame{0, 0, scale(340), scale(128)};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  RECT over{};
  GetWindowRect(owner, &over);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  window_ = registered
                ? CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, Wide(kProgressTitle).c_str(),
                                  style, (over.left + over.right - width) / 2,
                                  (over.top + over.bottom - height) / 2, width, height, owner,
                                  nullptr, instance, this)
                : nullptr;
  if (!window_) return;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  font_ = UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
  struct Child {
    int id;
    const wchar_t* window_class;
    DWORD style;
    int x, y, width, height;
  };
  const Child children[] = {
      {kStepLabel, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 12, 12, 316, 16},
      {kBar, PROGRESS_CLASSW, PBS_MARQUEE, 12, 36, 316, 16},
      {kSecondsLabel, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 12, 62, 316, 16},
      {IDCANCEL, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 218, 90, 110, 26},
  };
  for (const Child& child : children) {
    HWND control = CreateWindowExW(
        0, child.window_class, child.id == IDCANCEL ? L"&Stop waiting" : L"",
        WS_CHILD | WS_VISIBLE | child.style, scale(child.x), scale(child.y), scale(child.width),
        scale(child.height), window_, reinterpret_cast<HMENU>(child.id), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  SendDlgItemMessageW(window_, kBar, PBM_SETMARQUEE, TRUE, 30);
}

LRESULT CALLBACK WindowDialogs::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        hwnd, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<WindowDialogs*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // The button, Esc and the close box all stop waiting; the window goes when the work ends.
  if (self && (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL))) {
    self->StopWaiting();
    return 0;
  }
  if (message == WM_SETCURSOR && LOWORD(lparam) == HTCLIENT &&
      reinterpret_cast<HWND>(wparam) != GetDlgItem(hwnd, IDCANCEL)) {
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace torvel
