#pragma once
#include "platform/dialogs.h"

namespace torvel {

// Modal message boxes owned by the main window.
class Win32Dialogs : public Dialogs {
 public:
  void SetOwner(void* hwnd) { owner_ = hwnd; }
  Answer Show(const std::string& text, const std::string& title, Buttons buttons) override;
  void SetBusy(bool busy) override;

 private:
  void* owner_ = nullptr;
  int busy_depth_ = 0;
};

// Write `text` as one line (UTF-8) to standard error or standard output, the parent's console
// when the program has no such handle of its own. False when there is nowhere to write.
bool WriteErrorLine(const std::string& text);
bool WriteOutputLine(const std::string& text);

// The silent mode: no windows; each message goes as one line to standard error, where the
// process has one, and questions are answered No.
class ConsoleDialogs : public Dialogs {
 public:
  Answer Show(const std::string& text, const std::string& title, Buttons buttons) override;
  void SetBusy(bool) override {}
  int shown() const { return shown_; }

 private:
  int shown_ = 0;
};

}  // namespace torvel
