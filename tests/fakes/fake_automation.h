#pragma once
#include "platform/automation.h"
#include "platform/failure.h"

namespace torvel::testing {

// No automation server is installed.
class FakeAutomation : public Automation {
 public:
  AutomationRef Create(const std::string& class_name) override {
    throw Failure(static_cast<long>(0x800401F3), "Invalid class string: " + class_name);
  }
  AutomationRef FindRunning(const std::string&) override { return nullptr; }
};

}  // namespace torvel::testing
