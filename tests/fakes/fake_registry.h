#pragma once
#include "platform/registry.h"

namespace torvel::testing {

// An empty registry: every key is missing.
class FakeRegistry : public Registry {
 public:
  long OpenKey(RegKey, const std::string&, RegKey*) override { return 2; }
  long QueryValue(RegKey, const std::string&, std::uint32_t*, std::uint8_t*,
                  std::uint32_t*) override {
    return 6;
  }
  long CloseKey(RegKey) override { return 6; }
};

}  // namespace torvel::testing
