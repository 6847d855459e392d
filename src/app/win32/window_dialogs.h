#pragma once
// The window's dialogs: message boxes owned by the main window and, while a command works, the
// main window closed to input, the wait cursor, and after a second a small window that says
// what the tool is doing and lets the user stop waiting for a program. The window keeps
// answering throughout: the thread serves its messages while it waits.
#include <windows.h>

#include <string>

#include "platform/clock.h"
#include "platform/progress.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/owned.h"
#include "platform/win32/waiting.h"

namespace torvel {

inline constexpr char kProgressTitle[] = "Collecting the report";

class WindowDialogs : public Win32Dialogs, public Waiting {
 public:
  explicit WindowDialogs(Clock& clock) : clock_(clock) {}
  ~WindowDialogs() override;
  Answer Show(const std::string& text, const std::string& title, Buttons buttons) override;
  void SetBusy(bool busy) override;
  void SetStep(const std::string& step) override;
  Outcome Wait(HANDLE done, DWORD timeout_ms, DWORD give_up_in_ms) override;

  bool busy() const { return depth_ > 0; }
  // What the Stop waiting button does; also a request to close the main window while it works.
  void StopWaiting() { stop_ = true; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // Shows, updates or leaves hidden the progress window, as the progress state says now.
  void Refresh();
  void Create();
  void Pump();

  Clock& clock_;
  ProgressState state_;
  HWND window_ = nullptr;
  UniqueFont font_;
  int depth_ = 0;
  bool stop_ = false;
  bool quit_ = false;  // the message loop's end, met while waiting: handed on afterwards
};

}  // namespace torvel
