#pragma once
#include "platform/identity.h"
#include "platform/network.h"
#include "platform/system_info.h"

namespace torvel::testing {

// Settable machine facts.
class FakeSystemInfo : public SystemInfo {
 public:
  OsVersionRecord version;
  ProcessorRecord processor;
  MemoryRecord memory;
  ScreenMetrics screen;
  std::string date = "12/6/2026";
  std::string time = "3:32:31 PM";

  OsVersionRecord Version() override { return version; }
  ProcessorRecord Processor() override { return processor; }
  MemoryRecord Memory() override { return memory; }
  bool DiskSpace(const std::string&, std::uint64_t* total, std::uint64_t* free) override {
    *total = *free = 0;
    return false;
  }
  ScreenMetrics Screen() override { return screen; }
  int DeviceCaps(int) override { return 0; }
  std::string DateText() override { return date; }
  std::string TimeText() override { return time; }
};

class FakeIdentity : public Identity {
 public:
  bool UserNameInto(char*, std::uint32_t*) override { return false; }
  bool ComputerNameInto(char*, std::uint32_t*) override { return false; }
  std::uint32_t TempPathInto(std::uint32_t, char*) override { return 0; }
  std::optional<std::string> EnvironmentVariable(const std::string&) override { return {}; }
};

class FakeNetwork : public Network {
 public:
  std::optional<std::array<std::uint8_t, 6>> NetbiosAdapterAddress(std::uint8_t) override {
    return {};
  }
  std::optional<std::array<std::uint8_t, 6>> FirstEthernetAddress() override { return {}; }
  int SocketsStart(SocketsStartup*) override { return 10091; }
  int SocketsCleanup() override { return 0; }
  int HostName(std::string*) override { return -1; }
  int LastSocketsError() override { return 0; }
  std::optional<std::vector<std::uint8_t>> FirstHostAddress(const std::string&) override {
    return {};
  }
};

}  // namespace torvel::testing
