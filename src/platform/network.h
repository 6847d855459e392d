#pragma once
// Network: NetBIOS adapter status, the system's adapter list, Windows Sockets 1.1.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torvel {

using HardwareAddress = std::array<std::uint8_t, 6>;

// The fields of the sockets start-up record that are used.
struct SocketsStartup {
  std::uint16_t version = 0;  // low byte major, high byte minor
  std::int16_t max_sockets = 0;
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
  // WSAStartup(0x0101): 0 and the record, or the error number.
  virtual int SocketsStart(SocketsStartup* startup) = 0;
  // WSACleanup: 0, or non-zero on failure.
  virtual int SocketsCleanup() = 0;
  // gethostname: 0 and the name, or -1.
  virtual int HostName(std::string* name) = 0;
  // WSAGetLastError.
  virtual int LastSocketsError() = 0;
  // gethostbyname: the bytes of the first address (as many as the host entry's address length
  // says), or nullopt when the name does not resolve.
  virtual std::optional<std::vector<std::uint8_t>> FirstHostAddress(const std::string& host) = 0;
};

}  // namespace torvel
