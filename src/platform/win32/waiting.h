#pragma once
// How the thread that asks another program waits for its answer. The silent mode just waits;
// the window serves its messages meanwhile, tells the user, and lets them stop waiting.
#include <windows.h>

namespace torvel {

class Waiting {
 public:
  enum class Outcome { kDone, kTimedOut, kStopped };
  virtual ~Waiting() = default;
  // Waits until `done` is signalled (null: for the time alone) or `timeout_ms` pass. The program
  // asked is given up in `give_up_in_ms` unless it answers.
  virtual Outcome Wait(HANDLE done, DWORD timeout_ms, DWORD give_up_in_ms) = 0;
};

class PlainWaiting : public Waiting {
 public:
  Outcome Wait(HANDLE done, DWORD timeout_ms, DWORD) override {
    if (!done) return Sleep(timeout_ms), Outcome::kTimedOut;
    return WaitForSingleObject(done, timeout_ms) == WAIT_OBJECT_0 ? Outcome::kDone
                                                                  : Outcome::kTimedOut;
  }
};

}  // namespace torvel
