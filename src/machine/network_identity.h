#pragma once
#include <string>

#include "platform/platform.h"

namespace torvel {

// Twelve upper-case hexadecimal digits of the adapter's hardware address.
std::string GetEthernetAddress(const Platform& p, int adapter);
// The first IP address of the local host in dotted form, or empty text.
std::string LocalIpAddress(const Platform& p);

}  // namespace torvel
