#pragma once
// Modal message boxes without icons, and the busy cursor.
#include <string>

namespace torvel {

enum class Buttons { kOk, kYesNo };
enum class Answer { kOk, kYes, kNo };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer Show(const std::string& text, const std::string& title, Buttons buttons) = 0;
  // Shows or ends the wait cursor while a report is written.
  virtual void SetBusy(bool busy) = 0;
};

// Shows the wait cursor for the lifetime of the scope.
class BusyScope {
 public:
  explicit BusyScope(Dialogs& dialogs) : dialogs_(dialogs) { dialogs_.SetBusy(true); }
  ~BusyScope() { dialogs_.SetBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Dialogs& dialogs_;
};

}  // namespace torvel
