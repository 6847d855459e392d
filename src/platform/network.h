#pragma once
// Network: the adapter's hardware address, and the local host's name and address through the
// system's sockets service (version 1.1 asked for).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/result.h"

namespace torvel {

using HardwareAddress = std::array<std::uint8_t, 6>;

// What the sockets service offers once started.
struct SocketsOffer {
  int major = 0;  // the version it agreed to serve
  int minor = 0;
  int max_sockets = 0;
};

class Network {
 public:
  virtual ~Network() = default;
  // NetBIOS reset, then adapter status of `adapter`: the first six bytes of the answer, or
  // nullopt when the status request fails.
  virtual std::optional<HardwareAddress> NetbiosAdapterAddress(std::uint8_t adapter) = 0;
  // Hardware address of the first Ethernet adapter that is up, from the system's adapter
  // list; nullopt when there is none.
  virtual std::optional<HardwareAddress> FirstEthernetAddress() = 0;
  // Starts the sockets service: what it offers, or the code of why not. Each start that
  // succeeds is ended by one StopSockets.
  virtual Result<SocketsOffer> StartSockets() = 0;
  // Ends one start; the code of why not when that fails.
  virtual Status StopSockets() = 0;
  // The local host's name (up to its first NUL), or the code of why not.
  virtual Result<std::string> HostName() = 0;
  // The bytes of the first address the name resolves to (as many as the answer's address
  // length says), or nullopt when it resolves to none.
  virtual std::optional<std::vector<std::uint8_t>> FirstHostAddress(const std::string& host) = 0;
};

}  // namespace torvel
