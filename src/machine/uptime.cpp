#include "machine/uptime.h"

#include <cmath>

#include "text/text_forms.h"

namespace torvel {

Uptime SystemRunning(std::uint64_t tick_count_ms) {
  // nearbyint rounds halves to even in the default rounding mode.
  auto total_minutes =
      static_cast<std::int64_t>(std::nearbyint(static_cast<double>(tick_count_ms) / 1000 / 60));
  return {total_minutes / 60, total_minutes % 60};
}

std::string UptimeSentence(const Uptime& uptime) {
  return "Your system has been running for " + PlainDecimal(uptime.hours) + " hours and " +
         PlainDecimal(uptime.minutes) + " minutes.";
}

}  // namespace torvel
