#pragma once
// Modal message boxes without icons; while a command works, the busy cursor and what it is doing.
#include <string>

#include "platform/scope_exit.h"

namespace torvel {

enum class Buttons { kOk, kYesNo };
enum class Answer { kOk, kYes, kNo };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer Show(const std::string& text, const std::string& title, Buttons buttons) = 0;
  // Shows or ends the wait cursor while a report is written; nested calls count.
  virtual void SetBusy(bool busy) = 0;
  // Names what the busy command is doing now (the progress window's step).
  virtual void SetStep(const std::string& step) = 0;
};

// The wait cursor until the scope ends, and the first step's name.
inline auto Busy(Dialogs& dialogs, const std::string& step) {
  dialogs.SetBusy(true);
  dialogs.SetStep(step);
  return ScopeExit([&dialogs] { dialogs.SetBusy(false); });
}

}  // namespace torvel
