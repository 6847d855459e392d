#include "app/win32/about_dialog.h"

#include <cstring>
#include <vector>

#include "app/win32/about_ids.h"
#include "app/win32/control_ids.h"
#include "app/win32/control_layout.h"
#include "commands/about_texts.h"
#include "commands/viewer_launcher.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/owned.h"

namespace torvel {

namespace {

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;

// Creation order is the tab order: cmdOK first, then cmdSysInfo.
const ControlSpec kControls[] = {
    {ID_ABOUT_CMD_OK, "BUTTON", "OK", 4440, 120, 1260, 345,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {ID_ABOUT_CMD_SYS_INFO, "BUTTON", "&System Info...", 4560, 1920, 1125, 345,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {ID_ABOUT_PIC_ICON, "STATIC", "", 240, 240, 570, 570, WS_CHILD | WS_VISIBLE | SS_ICON},
    {ID_ABOUT_LBL_TITLE, "STATIC", "", 1050, 240, 2805, 240, kLabel},
    // The legal notice may not fit beside the version; an ellipsis shows that it goes on.
    {ID_ABOUT_LBL_VERSION, "STATIC", "", 1050, 480, 2925, 225,
     WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS},
    {ID_ABOUT_LBL_DESCRIPTION, "STATIC", "", 1050, 840, 4605, 810, kLabel},
    // Line1: one etched separator (a grey line over a white one) across the dialog.
    {ID_ABOUT_LINE1, "STATIC", "", 84, 1687, 5622, 30, WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ},
    {ID_ABOUT_LBL_DISCLAIMER, "STATIC", "", 240, 1980, 4335, 225, kLabel},
};

// Labels drawn in black whatever the system's text colour.
constexpr int kBlackLabels[] = {ID_ABOUT_LBL_TITLE, ID_ABOUT_LBL_DESCRIPTION,
                                ID_ABOUT_LBL_DISCLAIMER};

constexpr int kClientWidthTwips = 5790;
constexpr int kClientHeightTwips = 2370;
constexpr int kIconPixels = 34;  // at 96 dots per inch
constexpr DWORD kDialogStyle =
    DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr WORD kFontPoints = 8;
constexpr wchar_t kFontFace[] = L"MS Sans Serif";

struct AboutState {
  AboutState(Registry& registry, Files& files, Shell& shell)
      : registry(registry), files(files), shell(shell) {}

  Registry& registry;
  Files& files;
  Shell& shell;
  int dpi = 96;
  UniqueIcon icon;
  // Message boxes of the launcher belong to the dialog, so that it stays modal under them.
  Win32Dialogs dialogs;

  int Scale(int twips) const { return TwipsToPixels(twips, dpi); }
};

// An empty dialog template with the dialog's style and font; the controls are created at
// their twips positions once the actual resolution is known.
std::vector<DWORD> EmptyTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  DLGTEMPLATE header{};
  header.style = kDialogStyle;
  std::memcpy(words.data(), &header, sizeof header);
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  words.push_back(0);  // no caption yet: set at load
  words.push_back(kFontPoints);
  for (const wchar_t* c = kFontFace; *c; ++c) words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  std::vector<DWORD> aligned((words.size() + 1) / 2, 0);
  std::memcpy(aligned.data(), words.data(), words.size() * sizeof(WORD));
  return aligned;
}

void SizeAndCentre(HWND dialog, const AboutState& state) {
  RECT frame{0, 0, state.Scale(kClientWidthTwips), state.Scale(kClientHeightTwips)};
  AdjustWindowRectEx(&frame, GetWindowLongW(dialog, GWL_STYLE), FALSE,
                     GetWindowLongW(dialog, GWL_EXSTYLE));
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  RECT area{};
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (!owner || !GetWindowRect(owner, &area)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CreateChildren(HWND dialog, AboutState& state) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
  CreateControls(dialog, kControls, state.dpi,
                 reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  int icon_size = MulDiv(kIconPixels, state.dpi, 96);
  state.icon = UniqueIcon(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, icon_size, icon_size, 0)));
  SendDlgItemMessageW(dialog, ID_ABOUT_PIC_ICON, STM_SETICON,
                      reinterpret_cast<WPARAM>(state.icon.get()), 0);
}

void LoadSequence(HWND dialog) {
  AboutTexts texts = BuildAboutTexts();
  SetWindowTextW(dialog, Wide(texts.caption).c_str());
  SetDlgItemTextW(dialog, ID_ABOUT_LBL_VERSION, Wide(texts.version).c_str());
  SetDlgItemTextW(dialog, ID_ABOUT_LBL_TITLE, Wide(texts.title).c_str());
  SetDlgItemTextW(dialog, ID_ABOUT_LBL_DESCRIPTION, Wide(texts.description).c_str());
  SetDlgItemTextW(dialog, ID_ABOUT_LBL_DISCLAIMER, Wide(texts.disclaimer).c_str());
}

bool IsBlackLabel(HWND dialog, HWND control) {
  for (int id : kBlackLabels) {
    if (GetDlgItem(dialog, id) == control) return true;
  }
  return false;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<AboutState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<AboutState*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      state->dpi = WindowDc(nullptr).dpi();
      state->dialogs.SetOwner(dialog);
      SizeAndCentre(dialog, *state);
      CreateChildren(dialog, *state);
      LoadSequence(dialog);
      SendMessageW(dialog, DM_SETDEFID, ID_ABOUT_CMD_OK, 0);
      SetFocus(GetDlgItem(dialog, ID_ABOUT_CMD_OK));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
        case IDCANCEL:  // Esc, and the close box
          EndDialog(dialog, IDOK);
          return TRUE;
        case ID_ABOUT_CMD_SYS_INFO:
          if (HIWORD(wparam) == BN_CLICKED && state) {
            StartSysInfo(state->registry, state->files, state->shell, state->dialogs);
          }
          return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (IsBlackLabel(dialog, reinterpret_cast<HWND>(lparam))) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
  }
  return FALSE;
}

}  // namespace

void ShowAboutDialog(HWND owner, Registry& registry, Files& files, Shell& shell) {
  // A fresh state and fresh controls each time: nothing survives from an earlier opening.
  AboutState state(registry, files, shell);
  std::vector<DWORD> dialog_template = EmptyTemplate();
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  DialogBoxIndirectParamW(instance, reinterpret_cast<DLGTEMPLATE*>(dialog_template.data()), owner,
                          &AboutProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace torvel
