#pragma once
#include <cstdint>
#include <string>

#include "platform/failure.h"
#include "platform/platform.h"

namespace torvel {

// Twelve upper-case hexadecimal digits of the adapter's hardware address: the NetBIOS adapter
// status when it answers with an address, else the first Ethernet adapter that is up, else
// twelve zeros.
std::string GetEthernetAddress(const Platform& p, int adapter);
// The first IP address of the local host in dotted form, or empty text (a box says why, and
// the problem is noted).
// Sockets are stopped again before it returns.
std::string LocalIpAddress(const Platform& p, Problems& problems);

// Starts Windows Sockets 1.1; false (after a box, and with sockets stopped again) when they
// cannot be started or cannot serve.
bool StartSockets(const Platform& p, Problems& problems);
// Ends the use of Windows Sockets; a failing clean-up is shown in a box.
void StopSockets(const Platform& p, Problems& problems);

constexpr int HighByteOf(std::uint16_t value) { return (value / 256) & 0xFF; }
constexpr int LowByteOf(std::uint16_t value) { return value & 0xFF; }

// Two upper-case hexadecimal digits per byte, no separators.
std::string HexAddress(const HardwareAddress& address);
// Each byte in decimal, joined by ".".
std::string DottedAddress(const std::vector<std::uint8_t>& bytes);

}  // namespace torvel
