#pragma once
#include "platform/network.h"

namespace torvel {

class Win32Network : public Network {
 public:
  std::optional<HardwareAddress> NetbiosAdapterAddress(std::uint8_t adapter) override;
  std::optional<HardwareAddress> FirstEthernetAddress() override;
  int SocketsStart(SocketsStartup* startup) override;
  int SocketsCleanup() override;
  int HostName(std::string* name) override;
  int LastSocketsError() override;
  std::optional<std::vector<std::uint8_t>> FirstHostAddress(const std::string& host) override;
};

}  // namespace torvel
