#pragma once
// The automation service over COM: ProgID -> CLSID -> IDispatch, calls by name. Needs COM
// initialised on the calling thread (main does it for the whole run).
#include "platform/automation.h"

namespace torvel {

class Win32Automation : public Automation {
 public:
  AutomationRef Create(const std::string& class_name) override;
  AutomationRef FindRunning(const std::string& class_name) override;
};

}  // namespace torvel
