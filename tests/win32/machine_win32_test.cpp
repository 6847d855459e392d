// The machine services on the real system, against what the machine under it reports through
// other roads. (The end-to-end machine test checks every line of the report.)
#include <gtest/gtest.h>
#include <windows.h>
#include <winsock2.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "machine/identity_facts.h"
#include "machine/network_identity.h"
#include "platform/win32/automation_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/identity_win32.h"
#include "platform/win32/network_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_info_win32.h"

namespace torvel {
namespace {

class RecordingDialogs : public Dialogs {
 public:
  Answer Show(const std::string& text, const std::string&, Buttons) override {
    shown.push_back(text);
    return Answer::kOk;
  }
  void SetBusy(bool) override {}
  std::vector<std::string> shown;
};

// Counts the real sockets start-ups not yet cleaned up (other parts of the system, NetBIOS
// among them, may hold start-ups of their own).
class CountingNetwork : public Win32Network {
 public:
  int SocketsStart(SocketsStartup* startup) override {
    int result = Win32Network::SocketsStart(startup);
    if (result == 0) ++open_startups;
    return result;
  }
  int SocketsCleanup() override {
    int result = Win32Network::SocketsCleanup();
    if (result == 0) --open_startups;
    return result;
  }
  int open_startups = 0;
};

std::string Env(const char* name) {
  char buffer[32768];
  DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

// A file of the machine under the system, read through the drive that maps its root.
std::string HostFile(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  std::replace(path.begin(), path.end(), '/', '\\');
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
  CloseHandle(file);
  return text;
}

class MachineWin32Test : public ::testing::Test {
 protected:
  Win32Registry registry;
  Win32SystemInfo system;
  Win32Identity identity;
  CountingNetwork network;
  Win32Files files;
  Win32Shell shell;
  RecordingDialogs dialogs;
  Win32Automation automation;
  Win32Clock clock;
  Platform p{registry, system, identity, network, files, shell, dialogs, automation, clock};
};

TEST_F(MachineWin32Test, MemoryIsReportedInFullBeyondTwoGigabytes) {
  const std::string meminfo = HostFile("/proc/meminfo");
  if (meminfo.empty()) GTEST_SKIP() << "the host's memory figures cannot be read";
  const double host_mb = std::stod(meminfo.substr(meminfo.find(':') + 1)) / 1024.0;
  const MemoryRecord memory = system.Memory();
  const double total_mb = static_cast<double>(memory.total_physical) / 1048576.0;
  EXPECT_NEAR(total_mb, host_mb, 1.0);
  if (host_mb > 2048) {
    EXPECT_GT(total_mb, 2048.0);
  }
  EXPECT_LE(memory.available_physical, memory.total_physical);
  EXPECT_GT(memory.total_paging, 0u);
}

TEST_F(MachineWin32Test, VersionAndProcessors) {
  const OsVersionRecord version = system.Version();
  EXPECT_EQ(version.platform_id, 2u);
  EXPECT_GE(version.major, 5u);
  EXPECT_GT(version.build & 0xFFFF, 0u);
  EXPECT_NE(std::find(version.service_pack.begin(), version.service_pack.end(), '\0'),
            version.service_pack.end());

  const std::string cpuinfo = HostFile("/proc/cpuinfo");
  std::size_t host_processors = 0;
  for (std::size_t at = 0; (at = cpuinfo.find("\nprocessor", at)) != std::string::npos; ++at) {
    ++host_processors;
  }
  if (cpuinfo.starts_with("processor")) ++host_processors;
  const ProcessorRecord processor = system.Processor();
  if (host_processors > 0) {
    EXPECT_EQ(processor.count, host_processors);
  }
  EXPECT_GE(processor.type, 386u);
}

TEST_F(MachineWin32Test, DiskSpaceOfARootAndOfRootsThatFail) {
  std::uint64_t total = 1, free = 1;
  ASSERT_TRUE(system.DiskSpace("C:\\", &total, &free));
  EXPECT_GT(total, 0u);
  EXPECT_LE(free, total);
  for (const char* root : {"\\\\", "Q:\\"}) {
    total = free = 1;
    EXPECT_FALSE(system.DiskSpace(root, &total, &free)) << root;
    EXPECT_EQ(total, 0u) << root;
    EXPECT_EQ(free, 0u) << root;
  }
}

TEST_F(MachineWin32Test, EnvironmentValuesWhateverTheirLength) {
  struct Case {
    const char* name;
    std::string value;
  } cases[] = {
      {"TORVEL_TEST_999", std::string(999, 'a')},
      {"TORVEL_TEST_1000", std::string(1000, 'b')},
      {"TORVEL_TEST_5000", std::string(5000, 'c')},
      {"TORVEL_TEST_32000", std::string(32000, 'd')},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetEnvironmentVariableA(c.name, c.value.c_str()));
    EXPECT_EQ(GetEnvironmentVar(p, c.name), c.value) << c.name;
    std::string lower = c.name;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_EQ(identity.EnvironmentVariable(lower), c.value) << lower;
    SetEnvironmentVariableA(c.name, nullptr);
    EXPECT_EQ(identity.EnvironmentVariable(c.name), std::nullopt) << c.name;
    EXPECT_EQ(GetEnvironmentVar(p, c.name), "") << c.name;
  }
  EXPECT_EQ(GetEnvironmentVar(p, "Path"), Env("PATH"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MachineWin32Test, AdapterAddressIsOneOfTheMachinesAdapters) {
  // The hardware addresses of the machine's interfaces, as the host lists them.
  std::set<std::string> host_addresses;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("Z:\\sys\\class\\net\\*", &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string text = HostFile(std::string("/sys/class/net/") + found.cFileName + "/address");
      std::string hex;
      for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c))) {
          hex += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
      }
      if (hex.size() == 12) host_addresses.insert(hex);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  const std::string address = GetEthernetAddress(p, 0);
  ASSERT_EQ(address.size(), 12u);
  EXPECT_TRUE(std::all_of(address.begin(), address.end(),
                          [](char c) { return std::isdigit(c) || (c >= 'A' && c <= 'F'); }));
  if (host_addresses.empty()) GTEST_SKIP() << "the host's adapters cannot be listed";
  EXPECT_NE(address, "000000000000");
  EXPECT_TRUE(host_addresses.count(address)) << address;
}

TEST_F(MachineWin32Test, IpAddressAndSocketsStoppedAfterwards) {
  const std::string address = LocalIpAddress(p);
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();
  const unsigned long parsed = inet_addr(address.c_str());
  EXPECT_NE(parsed, INADDR_NONE) << address;
  EXPECT_NE(parsed, 0u) << address;
  EXPECT_EQ(std::count(address.begin(), address.end(), '.'), 3) << address;
  EXPECT_EQ(network.open_startups, 0);
}

}  // namespace
}  // namespace torvel
