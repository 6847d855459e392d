#pragma once
// frmSysInformation: the main window. It creates its controls, routes their commands to the
// portable commands and shows what they return.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>

#include "app/win32/control_layout.h"
#include "app/win32/window_dialogs.h"
#include "commands/email_command.h"
#include "platform/win32/owned.h"

namespace torvel {

// What the window's commands call, besides the window's own dialogs.
struct WindowServices {
  FactSources sources;
  Shell& shell;
  SimpleMail& simple_mail;
};

class MainWindow {
 public:
  MainWindow(const WindowServices& services, WindowDialogs& dialogs)
      : s_(services), dialogs_(dialogs) {}
  // Creates and shows the window; false when it cannot be created.
  bool Create(HINSTANCE instance, int show);
  HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void CreateChildren();
  void LoadSequence();
  void OnCommand(int id);
  int Scale(int twips) const { return TwipsToPixels(twips, dpi_); }

  const WindowServices s_;
  WindowDialogs& dialogs_;
  HWND hwnd_ = nullptr;
  HWND focus_ = nullptr;
  int dpi_ = 96;
  UniqueFont font_;
  UniqueFont underlined_font_;
  UniqueImageList button_images_[3];
  MailState mail_state_;
  bool private_report_ = false;  // off at every start, never saved
};

}  // namespace torvel
