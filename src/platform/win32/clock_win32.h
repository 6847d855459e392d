#pragma once
#include "platform/clock.h"

namespace torvel {

class Win32Clock : public Clock {
 public:
  std::uint64_t TickCount() override;
  UtcTime Now() override;
};

}  // namespace torvel
