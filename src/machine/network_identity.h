#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/network.h"

namespace torvel {

// Twelve upper-case hexadecimal digits of the adapter's hardware address: the NetBIOS adapter
// status when it answers with an address, else the first Ethernet adapter that is up, else
// twelve zeros.
std::string GetEthernetAddress(Network& network, int adapter);
// The first IP address of the local host in dotted form, or empty text (the problem reported).
// Sockets are stopped again before it returns.
std::string LocalIpAddress(Network& network, ProblemSink& problems);

// Two upper-case hexadecimal digits per byte, no separators.
std::string HexAddress(const HardwareAddress& address);
// Each byte in decimal, joined by ".".
std::string DottedAddress(const std::vector<std::uint8_t>& bytes);

}  // namespace torvel
