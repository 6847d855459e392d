#pragma once
#include "platform/network.h"

namespace torvel {

class Win32Network : public Network {
 public:
  std::optional<HardwareAddress> NetbiosAdapterAddress(std::uint8_t adapter) override;
  std::optional<HardwareAddress> FirstEthernetAddress() override;
  Result<SocketsOffer> StartSockets() override;
  Status StopSockets() override;
  Result<std::string> HostName() override;
  std::optional<std::vector<std::uint8_t>> FirstHostAddress(const std::string& host) override;
};

}  // namespace torvel
