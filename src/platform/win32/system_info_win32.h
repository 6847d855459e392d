#pragma once
#include "platform/system_info.h"

namespace torvel {

class Win32SystemInfo : public SystemInfo {
 public:
  // The main window whose device context the colour count is read from (none: the screen).
  void SetWindow(void* hwnd) { window_ = hwnd; }
  OsVersionRecord Version() override { return {}; }
  ProcessorRecord Processor() override { return {}; }
  MemoryRecord Memory() override { return {}; }
  bool DiskSpace(const std::string&, std::uint64_t*, std::uint64_t*) override { return false; }
  ScreenMetrics Screen() override { return {}; }
  int DeviceCaps(int) override { return 0; }
  std::string DateText() override { return {}; }
  std::string TimeText() override { return {}; }

 private:
  void* window_ = nullptr;
};

}  // namespace torvel
