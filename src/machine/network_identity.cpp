#include "machine/network_identity.h"

#include <algorithm>

#include "platform/scope_exit.h"
#include "text/app_info.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

// One box, and the problem noted for the report.
void Tell(const Platform& p, Problems& problems, long code, const std::string& text) {
  p.dialogs.Show(text, kAppTitle, Buttons::kOk);
  problems.push_back({"LocalIpAddress", code, text});
}

bool AllZero(const HardwareAddress& address) {
  return std::all_of(address.begin(), address.end(), [](std::uint8_t b) { return b == 0; });
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// gethostname then gethostbyname, with a box for either failing.
std::string ResolveLocalAddress(const Platform& p, Problems& problems) {
  std::string host;
  if (p.network.HostName(&host) == -1) {
    const int code = p.network.LastSocketsError();
    Tell(p, problems, code,
         "Windows Sockets error " + SignPosition(code) +
             " has occurred. Unable to successfully get Host Name.");
    return {};
  }
  // The name goes to the resolver up to its first NUL.
  host = Trimmed(host.substr(0, host.find('\0')));
  std::optional<std::vector<std::uint8_t>> address = p.network.FirstHostAddress(host);
  if (!address) {
    Tell(p, problems, 0,
         "Windows Sockets are not responding. Unable to successfully get Host Name.");
    return {};
  }
  return DottedAddress(*address);
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

std::string GetEthernetAddress(const Platform& p, int adapter) {
  std::optional<HardwareAddress> address =
      p.network.NetbiosAdapterAddress(static_cast<std::uint8_t>(adapter));
  // Many systems no longer answer the NetBIOS status request, or answer with zeros, which is
  // no adapter's address; the adapter list still knows the real one.
  if (!address || AllZero(*address)) {
    if (std::optional<HardwareAddress> listed = p.network.FirstEthernetAddress()) {
      address = listed;
    }
  }
  return HexAddress(address.value_or(HardwareAddress{}));
}

bool StartSockets(const Platform& p, Problems& problems) {
  SocketsStartup startup;
  if (const int code = p.network.SocketsStart(&startup); code != 0) {
    Tell(p, problems, code, "The 32-bit Windows Socket is not responding.");
    return false;
  }
  constexpr int kMinimumSockets = 1;
  if (startup.max_sockets < kMinimumSockets) {
    Tell(p, problems, 0,
         "This application requires a minimum of " + PlainDecimal(kMinimumSockets) +
             " supported sockets.");
    StopSockets(p, problems);
    return false;
  }
  const int major = LowByteOf(startup.version);
  const int minor = HighByteOf(startup.version);
  if (major < 1 || (major == 1 && minor < 1)) {
    Tell(p, problems, 0,
         "Sockets version " + PlainDecimal(major) + "." + PlainDecimal(minor) +
             " is not supported by 32-bit Windows Sockets.");
    StopSockets(p, problems);
    return false;
  }
  return true;
}

void StopSockets(const Platform& p, Problems& problems) {
  if (const int code = p.network.SocketsCleanup(); code != 0)
    Tell(p, problems, code, "Socket error occurred in Cleanup.");
}

std::string LocalIpAddress(const Platform& p, Problems& problems) {
  if (!StartSockets(p, problems)) return {};
  // Whatever goes wrong while resolving, the start-up is undone before the failure passes on.
  ScopeExit stop_quietly([&] { p.network.SocketsCleanup(); });
  const std::string text = ResolveLocalAddress(p, problems);
  stop_quietly.Release();
  StopSockets(p, problems);
  return text;
}

}  // namespace torvel
