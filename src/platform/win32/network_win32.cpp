#include "platform/win32/network_win32.h"

// clang-format off
// winsock2.h before windows.h; iphlpapi.h and nb30.h after both.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <nb30.h>
// clang-format on

#include <cstring>
#include <memory>

#include "platform/win32/owned.h"

namespace torvel {

namespace {

// The bytes of a 16-bit word.
constexpr int HighByteOf(std::uint16_t value) { return (value / 256) & 0xFF; }
constexpr int LowByteOf(std::uint16_t value) { return value & 0xFF; }

// What the adapter-status request answers: the status and room for the name table.
constexpr WORD kStatusBufferSize = 680;
constexpr ULONG kIfTypeEthernet = 6;

}  // namespace

std::optional<HardwareAddress> Win32Network::NetbiosAdapterAddress(std::uint8_t adapter) {
  NCB control{};
  control.ncb_command = NCBRESET;
  Netbios(&control);

  UniqueHeapBlock status(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, kStatusBufferSize));
  if (!status) return std::nullopt;
  control = NCB{};
  control.ncb_command = NCBASTAT;
  control.ncb_lana_num = adapter;
  std::memcpy(control.ncb_callname, "*               ", NCBNAMSZ);
  control.ncb_buffer = static_cast<UCHAR*>(status.get());
  control.ncb_length = kStatusBufferSize;
  if (Netbios(&control) != NRC_GOODRET) return std::nullopt;
  HardwareAddress address;
  std::memcpy(address.data(), status.get(), address.size());
  return address;
}

std::optional<HardwareAddress> Win32Network::FirstEthernetAddress() {
  // The table's size is asked first; it may grow before the second call, hence the loop.
  ULONG size = 16 * 1024;
  std::unique_ptr<std::uint8_t[]> table;
  ULONG result = ERROR_BUFFER_OVERFLOW;
  for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
    table = std::make_unique<std::uint8_t[]>(size);
    result =
        GetAdaptersAddresses(AF_UNSPEC,
                             GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST |
                                 GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER,
                             nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(table.get()), &size);
  }
  if (result != NO_ERROR) return std::nullopt;
  for (auto* a = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(table.get()); a; a = a->Next) {
    if (a->IfType != kIfTypeEthernet || a->OperStatus != IfOperStatusUp ||
        a->PhysicalAddressLength != 6) {
      continue;
    }
    HardwareAddress address;
    std::memcpy(address.data(), a->PhysicalAddress, address.size());
    if (address != HardwareAddress{}) return address;
  }
  return std::nullopt;
}

Result<SocketsOffer> Win32Network::StartSockets() {
  WSADATA data{};
  if (const int code = WSAStartup(MAKEWORD(1, 1), &data); code != 0) return ErrorInfo{code, ""};
  // The version word holds the major number in its low byte.
  return SocketsOffer{LowByteOf(data.wVersion), HighByteOf(data.wVersion),
                      static_cast<std::int16_t>(data.iMaxSockets)};
}

Status Win32Network::StopSockets() {
  if (WSACleanup() != 0) return ErrorInfo{WSAGetLastError(), ""};
  return Done{};
}

Result<std::string> Win32Network::HostName() {
  char buffer[256] = {};
  if (gethostname(buffer, sizeof buffer) == SOCKET_ERROR) return ErrorInfo{WSAGetLastError(), ""};
  buffer[sizeof buffer - 1] = '\0';
  return std::string(buffer);
}

std::optional<std::vector<std::uint8_t>> Win32Network::FirstHostAddress(const std::string& host) {
  const hostent* entry = gethostbyname(host.c_str());
  // A host entry with an empty address list resolves to nothing as well.
  if (!entry || !entry->h_addr_list || !entry->h_addr_list[0] || entry->h_length <= 0) {
    return std::nullopt;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(entry->h_addr_list[0]);
  return std::vector<std::uint8_t>(bytes, bytes + entry->h_length);
}

}  // namespace torvel
