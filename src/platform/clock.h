#pragma once
#include <cstdint>

namespace torvel {

// A moment in UTC.
struct UtcTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since the system started: the 64-bit count where the platform has it,
  // else the 32-bit one (which wraps after 49.7 days).
  virtual std::uint64_t TickCount() = 0;
  virtual UtcTime Now() = 0;
};

}  // namespace torvel
