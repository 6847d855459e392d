#include "machine/network_identity.h"

namespace torvel {

std::string GetEthernetAddress(const Platform&, int) { return {}; }
std::string LocalIpAddress(const Platform&) { return {}; }

}  // namespace torvel
