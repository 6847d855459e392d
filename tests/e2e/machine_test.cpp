// The machine block of a report written by the real tool, line by line, against what the
// system reports to this test through its own calls.
#include <gtest/gtest.h>
#include <windows.h>
#include <winsock2.h>

#include <cmath>
#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/ui_driver.h"

namespace {

constexpr double kMiB = 1048576.0;

struct TrueVersion {
  DWORD major = 0, minor = 0, build = 0;
  std::string service_pack;
};

// The version as the system itself holds it, whatever this program's manifest says.
TrueVersion SystemVersion() {
  struct VersionInfoW {
    ULONG size, major, minor, build, platform;
    WCHAR service_pack[128];
  } info{};
  info.size = sizeof info;
  using RtlGetVersion = LONG(WINAPI*)(VersionInfoW*);
  auto get = reinterpret_cast<RtlGetVersion>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
  if (!get || get(&info) != 0) return {};
  char narrow[256] = {};
  WideCharToMultiByte(CP_ACP, 0, info.service_pack, -1, narrow, sizeof narrow, nullptr, nullptr);
  return {info.major, info.minor, info.build & 0xFFFF, narrow};
}

std::string Label(const std::string& label, std::size_t width = 25) {
  return label + std::string(width - label.size(), ' ');
}

std::string Megabytes(ULONGLONG bytes) {
  return " " + std::to_string(static_cast<long long>(std::floor(bytes / kMiB + 0.5))) + " MB";
}

std::string Escaped(const std::string& value) {
  std::string text;
  for (char c : value) {
    text += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : std::string(1, c);
  }
  return text;
}

std::string Env(const char* name) {
  std::vector<char> buffer(65536);
  DWORD length = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
  return length < buffer.size() ? std::string(buffer.data(), length) : std::string();
}

// A value under HKEY_CURRENT_USER set for the test's lifetime; what stood there before (or its
// absence, down to a key the setting had to create) is put back afterwards.
class UserSetting {
 public:
  UserSetting(std::string key, std::string name, DWORD type, std::string bytes)
      : key_(std::move(key)), name_(std::move(name)) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &handle, &disposition) != 0) {
      return;
    }
    created_key_ = disposition == REG_CREATED_NEW_KEY;
    BYTE previous[1024];
    DWORD size = sizeof previous;
    if (RegQueryValueExA(handle, name_.c_str(), nullptr, &previous_type_, previous, &size) == 0) {
      previous_.assign(reinterpret_cast<char*>(previous), size);
      had_previous_ = true;
    }
    RegSetValueExA(handle, name_.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(handle);
  }
  ~UserSetting() {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_SET_VALUE, &handle) != 0) return;
    if (had_previous_) {
      RegSetValueExA(handle, name_.c_str(), 0, previous_type_,
                     reinterpret_cast<const BYTE*>(previous_.data()),
                     static_cast<DWORD>(previous_.size()));
    } else {
      RegDeleteValueA(handle, name_.c_str());
    }
    RegCloseKey(handle);
    if (created_key_) RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
  }

 private:
  std::string key_, name_, previous_;
  DWORD previous_type_ = 0;
  bool had_previous_ = false;
  bool created_key_ = false;
};

class MachineBlockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = bench::MakeTempDir("machine");
    exe_ = bench::CopyToolInto(folder_);
    ASSERT_FALSE(exe_.empty());
  }
  void TearDown() override { SetEnvironmentVariableA("TORVELK", nullptr); }

  // Runs the tool silently and returns the report's lines from the user line to the line that
  // closes the preformatted block.
  std::vector<std::string> Block() {
    const std::string report = folder_ + "\\machine.htm";
    bench::Process tool;
    EXPECT_TRUE(tool.Start(exe_, "/report \"" + report + "\"", folder_));
    DWORD code = 99;
    EXPECT_TRUE(tool.WaitExit(60000, &code));
    EXPECT_EQ(code, 0u);
    std::optional<std::string> text = bench::ReadWholeFile(report);
    if (!text) {
      ADD_FAILURE() << "no report";
      return {};
    }
    std::vector<std::string> lines;
    std::size_t start = text->find("<pre>USER NAME:");
    if (start == std::string::npos) {
      ADD_FAILURE() << "no user line";
      return {};
    }
    for (std::size_t end; (end = text->find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(text->substr(start, end - start));
      if (lines.back().ends_with("</pre>")) break;
    }
    return lines;
  }

  std::string folder_, exe_;
};

TEST_F(MachineBlockTest, EveryLineInOrderWithWhatTheSystemReports) {
  // A long TORVELK value with markup in it: read whole, written escaped.
  const std::string torvelk = "K:\\lib<1>&" + std::string(5000, 'k');
  ASSERT_TRUE(SetEnvironmentVariableA("TORVELK", torvelk.c_str()));

  char user[256];
  DWORD user_size = sizeof user;
  ASSERT_TRUE(GetUserNameA(user, &user_size));
  char computer[64];
  DWORD computer_size = sizeof computer;
  ASSERT_TRUE(GetComputerNameA(computer, &computer_size));

  WSADATA wsa;
  ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &wsa), 0);
  char host[256] = {};
  gethostname(host, sizeof host);
  const hostent* entry = gethostbyname(host);
  ASSERT_TRUE(entry && entry->h_addr_list[0]);
  const auto* ip = reinterpret_cast<const unsigned char*>(entry->h_addr_list[0]);
  const std::string ip_text = std::to_string(ip[0]) + "." + std::to_string(ip[1]) + "." +
                              std::to_string(ip[2]) + "." + std::to_string(ip[3]);
  WSACleanup();

  const TrueVersion version = SystemVersion();
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof memory;
  ASSERT_TRUE(GlobalMemoryStatusEx(&memory));
  const std::string root = folder_.substr(0, 2) + "\\";
  ULARGE_INTEGER available{}, disk_total{}, disk_free{};
  ASSERT_TRUE(GetDiskFreeSpaceExA(root.c_str(), &available, &disk_total, &disk_free));
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
  const std::map<DWORD, std::string> colors = {
      {8, " 256"}, {16, " 65536"}, {24, " 1.677722E+07"}, {32, " 4.294967E+09"}};
  char temp[MAX_PATH + 1];
  const std::string temp_path(temp, GetTempPathA(sizeof temp, temp));
  char date[128];
  const std::string date_text(
      date, GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128) - 1);

  const std::vector<std::string> lines = Block();
  ASSERT_EQ(lines.size(), 26u);
  // Lines whose value changes between two looks are matched by pattern.
  const std::string number = R"( \d+ MB)";
  const std::vector<std::string> expected = {
      "<pre>" + Label("USER NAME:") + user,
      Label("COMPUTER NAME:") + computer,
      "~Your system has been running for \\d+ hours and \\d+ minutes\\.",
      "~" + Label("Ethernet Address:") + "[0-9A-F]{12}",
      Label("IP Address:") + ip_text,
      "",
      Label("OPERATING SYSTEM:") + "Windows NT ",
      Label("VERSION:") + std::to_string(version.major) + "." + std::to_string(version.minor),
      Label("BUILD:") + std::to_string(version.build),
      Label("SERVICE PACK:") + version.service_pack,
      Label("PROCESSOR :") + "586",
      Label("NUMBER OF PROCESSOR :") + " " + std::to_string(system.dwNumberOfProcessors),
      "~" + Label("SYSTEM DATE :") + std::regex_replace(date_text, std::regex("[/.]"), "\\$&") +
          " at .*\\d.*",
      "",
      Label("TOTAL PHYSICAL MEMORY:") + Megabytes(memory.ullTotalPhys),
      "~" + Label("TOTAL AVAILABLE MEMORY:") + number,
      Label("TOTAL PAGING MEMORY:") + Megabytes(memory.ullTotalPageFile),
      Label("TOTAL DISK SPACE:") + Megabytes(disk_total.QuadPart),
      "~" + Label("TOTAL FREE DISK SPACE:") + number,
      Label("CURRENT DRIVE:", 26) + folder_.substr(0, 2) + "<br>",
      Label("SCREEN RESOLUTION:") + " " + std::to_string(mode.dmPelsWidth) + " x  " +
          std::to_string(mode.dmPelsHeight),
      Label("NUMBER OF COLORS:") + colors.at(mode.dmBitsPerPel),
      "",
      Label("TEMPORARY DIRECTORY :") + temp_path,
      Label("PATH :") + Escaped(Env("PATH")),
      Label("TORVELK :") + Escaped(torvelk) + "</pre>",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (expected[i].starts_with("~")) {
      EXPECT_TRUE(std::regex_match(lines[i], std::regex(expected[i].substr(1))))
          << "line " << i << ": " << lines[i];
    } else {
      EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    }
  }
  EXPECT_NE(lines[3], Label("Ethernet Address:") + "000000000000");
  // Beyond 2 GB the figures are the machine's, not a 32-bit call's cap.
  if (memory.ullTotalPhys > (2ull << 30)) {
    EXPECT_GT(std::stoll(lines[14].substr(25)), 2048) << lines[14];
  }
}

TEST_F(MachineBlockTest, TenAndElevenReportTheirTrueVersion) {
  // The manifest declares the tool fit for 8.1, 10 and 11, so the system tells it the truth
  // instead of 6.2.
  UserSetting windows10("Software\\Wine\\AppDefaults\\TORVELSupport.exe", "Version", REG_SZ,
                        std::string("win10", 6));
  const std::vector<std::string> lines = Block();
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[7], Label("VERSION:") + "10.0");
  EXPECT_GE(std::stoi(lines[8].substr(25)), 10240) << lines[8];
}

TEST_F(MachineBlockTest, ResolutionInPixelsAtTwiceTheUsualDpi) {
  // 192 dpi: 7.5 twips per pixel, which must not be rounded before dividing.
  const DWORD dpi = 192;
  UserSetting log_pixels("Control Panel\\Desktop", "LogPixels", REG_DWORD,
                         std::string(reinterpret_cast<const char*>(&dpi), sizeof dpi));
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
  const std::vector<std::string> lines = Block();
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[20], Label("SCREEN RESOLUTION:") + " " + std::to_string(mode.dmPelsWidth) +
                           " x  " + std::to_string(mode.dmPelsHeight));
}

}  // namespace
