#pragma once
#include "platform/network.h"

namespace torvel {

class Win32Network : public Network {
 public:
  std::optional<std::array<std::uint8_t, 6>> NetbiosAdapterAddress(std::uint8_t) override {
    return {};
  }
  std::optional<std::array<std::uint8_t, 6>> FirstEthernetAddress() override { return {}; }
  int SocketsStart(SocketsStartup*) override { return 10091; }
  int SocketsCleanup() override { return 0; }
  int HostName(std::string*) override { return -1; }
  int LastSocketsError() override { return 0; }
  std::optional<std::vector<std::uint8_t>> FirstHostAddress(const std::string&) override {
    return {};
  }
};

}  // namespace torvel
