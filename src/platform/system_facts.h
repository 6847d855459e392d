#pragma once
// System information: version, processor, memory, disk, screen and the current date and time.
#include <cstdint>
#include <string>

#include "platform/result.h"

namespace torvel {

// The fields of the platform's version record that the report uses.
struct OsVersionRecord {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform_id = 0;
  std::string service_pack;  // empty when the system gives none
};

struct ProcessorRecord {
  std::uint32_t type = 0;
  std::uint32_t count = 0;
};

// 64-bit byte counts (the extended memory call), so that no figure is capped in a 32-bit process.
struct MemoryRecord {
  std::uint64_t total_physical = 0;
  std::uint64_t available_physical = 0;
  std::uint64_t total_paging = 0;
};

// A volume's size and free space, in bytes.
struct DiskFigures {
  std::uint64_t total = 0;
  std::uint64_t free = 0;
};

// The primary screen in twips (1/1440 inch) and the twips per pixel in each direction.
struct ScreenMetrics {
  double width_twips = 0;
  double height_twips = 0;
  double twips_per_pixel_x = 15;
  double twips_per_pixel_y = 15;
};

// GetDeviceCaps indexes.
inline constexpr int kCapsBitsPixel = 12;
inline constexpr int kCapsPlanes = 14;

class SystemFacts {
 public:
  virtual ~SystemFacts() = default;
  // The version record; the call's own result is not examined, the record may stay zero.
  virtual OsVersionRecord Version() = 0;
  // The processor type (386, 486, 586, 8664...) and number of processors.
  virtual ProcessorRecord Processor() = 0;
  virtual MemoryRecord Memory() = 0;
  // The size and free space of the volume at a root such as "C:\", or why not.
  virtual Result<DiskFigures> DiskSpace(const std::string& root) = 0;
  virtual ScreenMetrics Screen() = 0;
  // A device capability of the main window's device context (the screen's when there is no window).
  virtual int DeviceCaps(int index) = 0;
  // Today's date in the user's short date format, the time in the user's long time format.
  virtual std::string DateText() = 0;
  virtual std::string TimeText() = 0;
};

}  // namespace torvel
