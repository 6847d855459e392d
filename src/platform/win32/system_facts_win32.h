#pragma once
#include "platform/system_facts.h"

namespace torvel {

class Win32SystemFacts : public SystemFacts {
 public:
  // The main window whose device context the colour count is read from (none: the screen).
  void SetWindow(void* hwnd) { window_ = hwnd; }
  OsVersionRecord Version() override;
  ProcessorRecord Processor() override;
  MemoryRecord Memory() override;
  Result<DiskFigures> DiskSpace(const std::string& root) override;
  ScreenMetrics Screen() override;
  int DeviceCaps(int index) override;
  std::string DateText() override;
  std::string TimeText() override;

 private:
  void* window_ = nullptr;
};

}  // namespace torvel
