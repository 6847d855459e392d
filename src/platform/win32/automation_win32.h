#pragma once
#include "platform/automation.h"

namespace torvel {

class Win32Automation : public Automation {
 public:
  AutomationRef Create(const std::string& class_name) override;
  AutomationRef FindRunning(const std::string&) override { return nullptr; }
};

}  // namespace torvel
