#include "app/uptime.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

TEST(Uptime, MinutesRoundedHalvesToEvenThenSplit) {
  struct Case {
    std::uint64_t ms;
    std::int64_t hours;
    std::int64_t minutes;
  } cases[] = {
      {0, 0, 0},
      {29999, 0, 0},
      {6000000, 1, 40},
      {3580000, 1, 0},  // 59.67 minutes round up to a whole hour
      {90000, 0, 2},    // 1.5 minutes: to the even neighbour
      {150000, 0, 2},   // 2.5 minutes: to the even neighbour
      {210000, 0, 4},   // 3.5 minutes
      // Past the 32-bit tick count's wrap (49.7 days) the uptime keeps counting.
      {4294967296ULL + 60000, 1193, 4},
      {100ULL * 24 * 3600 * 1000, 2400, 0},
  };
  for (const Case& c : cases) {
    Uptime uptime = SystemRunning(c.ms);
    EXPECT_EQ(uptime.hours, c.hours) << c.ms;
    EXPECT_EQ(uptime.minutes, c.minutes) << c.ms;
  }
}

TEST(Uptime, SentenceStaysPlural) {
  EXPECT_EQ(UptimeSentence({1, 1}), "Your system has been running for 1 hours and 1 minutes.");
  EXPECT_EQ(UptimeSentence({0, 0}), "Your system has been running for 0 hours and 0 minutes.");
}

}  // namespace
}  // namespace torvel
