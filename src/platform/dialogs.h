#pragma once
// Modal message boxes without icons; while a command works, the busy cursor and what it is doing.
#include <string>

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

// Shows the wait cursor for the lifetime of the scope, and names its first step.
class BusyScope {
 public:
  BusyScope(Dialogs& dialogs, const std::string& step) : dialogs_(dialogs) {
    dialogs_.SetBusy(true);
    dialogs_.SetStep(step);
  }
  ~BusyScope() { dialogs_.SetBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Dialogs& dialogs_;
};

}  // namespace torvel
