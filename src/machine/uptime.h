#pragma once
#include <cstdint>
#include <string>

namespace torvel {

struct Uptime {
  std::int64_t hours = 0;
  std::int64_t minutes = 0;
};

// Whole minutes since the start (ms / 60000 rounded, halves to even), split into hours and
// minutes.
Uptime SystemRunning(std::uint64_t tick_count_ms);

// "Your system has been running for H hours and M minutes."
std::string UptimeSentence(const Uptime& uptime);

}  // namespace torvel
