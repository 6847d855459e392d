#include "platform/win32/automation_win32.h"

#include "platform/failure.h"

namespace torvel {

AutomationRef Win32Automation::Create(const std::string& class_name) {
  throw Failure(static_cast<long>(0x800401F3), "Invalid class string: " + class_name);
}

}  // namespace torvel
