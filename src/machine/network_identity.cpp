#include "machine/network_identity.h"

#include <algorithm>

#include "platform/scope_exit.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

void Tell(ProblemSink& problems, long code, const std::string& text) {
  problems.Report({"LocalIpAddress", code, text}, text);
}

bool AllZero(const HardwareAddress& address) {
  return std::all_of(address.begin(), address.end(), [](std::uint8_t b) { return b == 0; });
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The host's name, then its first address, with a problem reported for either failing.
std::string ResolveLocalAddress(Network& network, ProblemSink& problems) {
  const Result<std::string> name = network.HostName();
  if (!name) {
    const long code = name.error().code;
    Tell(problems, code,
         "Windows Sockets error " + SignPosition(code) +
             " has occurred. Unable to successfully get Host Name.");
    return {};
  }
  std::optional<std::vector<std::uint8_t>> address = network.FirstHostAddress(Trimmed(*name));
  if (!address) {
    Tell(problems, 0, "Windows Sockets are not responding. Unable to successfully get Host Name.");
    return {};
  }
  return DottedAddress(*address);
}

// Ends one start of the sockets service; a failure is reported.
void StopSockets(Network& network, ProblemSink& problems) {
  if (const Status stopped = network.StopSockets(); !stopped)
    Tell(problems, stopped.error().code, "Socket error occurred in Cleanup.");
}

// Starts the sockets service; false (with the problem reported, and the service stopped again)
// when it cannot be started or cannot serve.
bool StartSockets(Network& network, ProblemSink& problems) {
  const Result<SocketsOffer> offer = network.StartSockets();
  if (!offer) {
    Tell(problems, offer.error().code, "The 32-bit Windows Socket is not responding.");
    return false;
  }
  constexpr int kMinimumSockets = 1;
  std::string refusal;
  if (offer->max_sockets < kMinimumSockets) {
    refusal = "This application requires a minimum of " + PlainDecimal(kMinimumSockets) +
              " supported sockets.";
  } else if (offer->major < 1 || (offer->major == 1 && offer->minor < 1)) {
    refusal = "Sockets version " + PlainDecimal(offer->major) + "." + PlainDecimal(offer->minor) +
              " is not supported by 32-bit Windows Sockets.";
  }
  if (refusal.empty()) return true;
  Tell(problems, 0, refusal);
  StopSockets(network, problems);
  return false;
}

}  // namespace

std::string HexAddress(const HardwareAddress& address) {
  std::string text;
  for (std::uint8_t byte : address) text += HexByte(byte);
  return text;
}

std::string DottedAddress(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  for (std::uint8_t byte : bytes) {
    if (!text.empty()) text += '.';
    text += PlainDecimal(byte);
  }
  return text;
}

std::string GetEthernetAddress(Network& network, int adapter) {
  std::optional<HardwareAddress> address =
      network.NetbiosAdapterAddress(static_cast<std::uint8_t>(adapter));
  // Many systems no longer answer the NetBIOS status request, or answer with zeros, which is
  // no adapter's address; the adapter list still knows the real one.
  if (!address || AllZero(*address)) {
    if (std::optional<HardwareAddress> listed = network.FirstEthernetAddress()) {
      address = listed;
    }
  }
  return HexAddress(address.value_or(HardwareAddress{}));
}

std::string LocalIpAddress(Network& network, ProblemSink& problems) {
  if (!StartSockets(network, problems)) return {};
  // Whatever goes wrong while resolving, the start-up is undone before the failure passes on.
  ScopeExit stop_quietly([&] { network.StopSockets(); });
  const std::string text = ResolveLocalAddress(network, problems);
  stop_quietly.Release();
  StopSockets(network, problems);
  return text;
}

}  // namespace torvel
