#pragma once
// Settable machine facts: system information, identity and environment, network.
#include <map>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/identity.h"
#include "platform/network.h"
#include "platform/system_info.h"

namespace torvel::testing {

// Any operation, by name, can be told to throw a Failure.
class FailureInjection {
 public:
  std::map<std::string, Failure> fail;

  void FailOn(const std::string& operation, long number, const std::string& description) {
    fail.insert_or_assign(operation, Failure(number, description));
  }

 protected:
  void MaybeFail(const std::string& operation) const {
    if (auto it = fail.find(operation); it != fail.end()) throw it->second;
  }
};

class FakeSystemInfo : public SystemInfo, public FailureInjection {
 public:
  struct Disk {
    std::uint64_t total = 0;
    std::uint64_t free = 0;
  };
  OsVersionRecord version{10, 0, 19045, 2, {}};
  ProcessorRecord processor{586, 4};
  MemoryRecord memory{8ull << 30, 5ull << 30, 12ull << 30};
  // By root; a root not listed fails the query.
  std::map<std::string, Disk> disks{{"C:\\", {256ull << 30, 100ull << 30}}};
  std::vector<std::string> disk_queries;
  ScreenMetrics screen{1024 * 15, 768 * 15, 15, 15};
  std::map<int, int> device_caps{{kCapsPlanes, 1}, {kCapsBitsPixel, 32}};
  std::string date = "12/6/2026";
  std::string time = "3:32:31 PM";

  OsVersionRecord Version() override;
  ProcessorRecord Processor() override;
  MemoryRecord Memory() override;
  bool DiskSpace(const std::string& root, std::uint64_t* total, std::uint64_t* free) override;
  ScreenMetrics Screen() override;
  int DeviceCaps(int index) override;
  std::string DateText() override;
  std::string TimeText() override;
};

// Behaves as the A-functions do with their buffers and sizes.
class FakeIdentity : public Identity, public FailureInjection {
 public:
  std::optional<std::string> user_name = "tester";  // nullopt: the call fails
  std::optional<std::string> computer_name = "BENCH-PC";
  std::optional<std::string> temp_path = "C:\\Users\\tester\\AppData\\Local\\Temp\\";
  std::map<std::string, std::string> environment;  // names compare without regard to case

  bool UserNameInto(char* buffer, std::uint32_t* size) override;
  bool ComputerNameInto(char* buffer, std::uint32_t* size) override;
  std::uint32_t TempPathInto(std::uint32_t length, char* buffer) override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
};

class FakeNetwork : public Network, public FailureInjection {
 public:
  // nullopt: the status request fails.
  std::optional<HardwareAddress> netbios = HardwareAddress{0x00, 0x0C, 0x29, 0xAB, 0xCD, 0xEF};
  std::optional<HardwareAddress> adapter_list;
  std::vector<int> netbios_adapters;  // the adapter numbers asked for

  int startup_error = 0;
  SocketsStartup startup{0x0101, 32767};
  int cleanup_error = 0;
  std::optional<std::string> host_name = "BENCH-PC";  // nullopt: gethostname fails
  int last_error = 10093;
  std::map<std::string, std::vector<std::uint8_t>> hosts{{"BENCH-PC", {192, 168, 0, 5}}};
  std::vector<std::string> resolved;  // the names asked for
  int open_startups = 0;              // successful start-ups not yet cleaned up
  int cleanups = 0;

  std::optional<HardwareAddress> NetbiosAdapterAddress(std::uint8_t adapter) override;
  std::optional<HardwareAddress> FirstEthernetAddress() override;
  int SocketsStart(SocketsStartup* out) override;
  int SocketsCleanup() override;
  int HostName(std::string* name) override;
  int LastSocketsError() override { return last_error; }
  std::optional<std::vector<std::uint8_t>> FirstHostAddress(const std::string& host) override;
};

}  // namespace torvel::testing
