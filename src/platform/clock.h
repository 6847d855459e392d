#pragma once
#include <cstdint>

namespace torvel {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since the system started: the 64-bit count where the platform has it,
  // else the 32-bit one (which wraps after 49.7 days).
  virtual std::uint64_t TickCount() = 0;
};

}  // namespace torvel
