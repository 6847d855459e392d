#pragma once
// The automation service over COM: ProgID -> CLSID -> IDispatch, calls by name. Each server's
// objects live in an apartment of their own, on a thread of their own, so that a call that
// gets no answer within the answer limit fails with kNoAnswer instead of hanging the tool.
#include <memory>

#include "platform/automation.h"
#include "platform/win32/waiting.h"

namespace torvel {

class Win32Automation : public Automation {
 public:
  static constexpr unsigned long kAnswerLimitMs = 60000;
  explicit Win32Automation(unsigned long answer_limit_ms = kAnswerLimitMs)
      : answer_limit_ms_(answer_limit_ms) {}
  Result<AutomationRef> Create(const std::string& class_name) override;
  AutomationRef FindRunning(const std::string& class_name) override;
  // How later calls wait for their answers (null: plainly); it must outlive every object created
  // since.
  void SetWaiting(Waiting* waiting) { waiting_ = waiting ? waiting : &plain_; }

 private:
  unsigned long answer_limit_ms_;
  PlainWaiting plain_;
  Waiting* waiting_ = &plain_;
  // The line of a search that found nothing, kept for the next creation: a thread fewer.
  std::shared_ptr<void> idle_line_;
};

}  // namespace torvel
