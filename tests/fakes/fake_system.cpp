#include "fakes/fake_system.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace torvel::testing {

OsVersionRecord FakeSystemInfo::Version() {
  MaybeFail("Version");
  return version;
}

ProcessorRecord FakeSystemInfo::Processor() {
  MaybeFail("Processor");
  return processor;
}

MemoryRecord FakeSystemInfo::Memory() {
  MaybeFail("Memory");
  return memory;
}

bool FakeSystemInfo::DiskSpace(const std::string& root, std::uint64_t* total, std::uint64_t* free) {
  MaybeFail("DiskSpace");
  disk_queries.push_back(root);
  auto it = disks.find(root);
  *total = it == disks.end() ? 0 : it->second.total;
  *free = it == disks.end() ? 0 : it->second.free;
  return it != disks.end();
}

ScreenMetrics FakeSystemInfo::Screen() {
  MaybeFail("Screen");
  return screen;
}

int FakeSystemInfo::DeviceCaps(int index) {
  MaybeFail("DeviceCaps");
  auto it = device_caps.find(index);
  return it == device_caps.end() ? 0 : it->second;
}

std::string FakeSystemInfo::DateText() {
  MaybeFail("DateText");
  return date;
}

std::string FakeSystemInfo::TimeText() {
  MaybeFail("TimeText");
  return time;
}

bool FakeIdentity::UserNameInto(char* buffer, std::uint32_t* size) {
  MaybeFail("UserNameInto");
  if (!user_name) return false;
  const auto needed = static_cast<std::uint32_t>(user_name->size() + 1);
  if (needed > *size) {
    *size = needed;
    return false;
  }
  std::memcpy(buffer, user_name->c_str(), needed);
  *size = needed;
  return true;
}

bool FakeIdentity::ComputerNameInto(char* buffer, std::uint32_t* size) {
  MaybeFail("ComputerNameInto");
  if (!computer_name) return false;
  const auto length = static_cast<std::uint32_t>(computer_name->size());
  if (length + 1 > *size) {
    *size = length + 1;
    return false;
  }
  std::memcpy(buffer, computer_name->c_str(), length + 1);
  *size = length;
  return true;
}

std::uint32_t FakeIdentity::TempPathInto(std::uint32_t length, char* buffer) {
  MaybeFail("TempPathInto");
  if (!temp_path) return 0;
  const auto size = static_cast<std::uint32_t>(temp_path->size());
  if (size + 1 > length) return size + 1;
  std::memcpy(buffer, temp_path->c_str(), size + 1);
  return size;
}

std::optional<std::string> FakeIdentity::EnvironmentVariable(const std::string& name) {
  MaybeFail("EnvironmentVariable");
  auto same = [&](const auto& entry) {
    return std::equal(
        entry.first.begin(), entry.first.end(), name.begin(), name.end(),
        [](unsigned char a, unsigned char b) { return std::toupper(a) == std::toupper(b); });
  };
  auto it = std::find_if(environment.begin(), environment.end(), same);
  if (it == environment.end()) return std::nullopt;
  return it->second;
}

std::optional<HardwareAddress> FakeNetwork::NetbiosAdapterAddress(std::uint8_t adapter) {
  MaybeFail("NetbiosAdapterAddress");
  netbios_adapters.push_back(adapter);
  return netbios;
}

std::optional<HardwareAddress> FakeNetwork::FirstEthernetAddress() {
  MaybeFail("FirstEthernetAddress");
  return adapter_list;
}

int FakeNetwork::SocketsStart(SocketsStartup* out) {
  MaybeFail("SocketsStart");
  if (startup_error != 0) return startup_error;
  *out = startup;
  ++open_startups;
  return 0;
}

int FakeNetwork::SocketsCleanup() {
  ++cleanups;
  if (open_startups == 0) return 10093;  // WSANOTINITIALISED
  --open_startups;
  return cleanup_error;
}

int FakeNetwork::HostName(std::string* name) {
  MaybeFail("HostName");
  if (!host_name) return -1;
  *name = *host_name;
  return 0;
}

std::optional<std::vector<std::uint8_t>> FakeNetwork::FirstHostAddress(const std::string& host) {
  MaybeFail("FirstHostAddress");
  resolved.push_back(host);
  auto it = hosts.find(host);
  if (it == hosts.end()) return std::nullopt;
  return it->second;
}

}  // namespace torvel::testing
