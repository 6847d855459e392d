#include <functional>

#include "machine/network_identity.h"
#include "unit/machine_test_support.h"

namespace torvel::testing {
namespace {

class NetworkIdentityTest : public MachineTest {};

TEST(NetworkForms, HexAndDottedAddresses) {
  EXPECT_EQ(HexAddress({0, 12, 41, 171, 205, 239}), "000C29ABCDEF");
  EXPECT_EQ(HexAddress({255, 16, 1, 10, 160, 15}), "FF10010AA00F");
  EXPECT_EQ(DottedAddress({192, 168, 0, 5}), "192.168.0.5");
  EXPECT_EQ(DottedAddress({10, 0, 0, 255}), "10.0.0.255");
  EXPECT_EQ(DottedAddress({7}), "7");
  EXPECT_EQ(DottedAddress({}), "");
}

TEST(NetworkForms, BytesOfAWord) {
  struct Case {
    std::uint16_t value;
    int high;
    int low;
  } cases[] = {{0x0101, 1, 1}, {0x0001, 0, 1}, {0x0202, 2, 2}, {0xFF00, 255, 0}, {0, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(HighByteOf(c.value), c.high) << c.value;
    EXPECT_EQ(LowByteOf(c.value), c.low) << c.value;
  }
}

TEST_F(NetworkIdentityTest, AdapterAddressFromNetbiosOrTheAdapterList) {
  const HardwareAddress netbios{0, 12, 41, 171, 205, 239};
  const HardwareAddress listed{0x52, 0x54, 0x00, 0x12, 0x34, 0x56};
  const HardwareAddress zeros{};
  struct Case {
    std::optional<HardwareAddress> netbios;
    std::optional<HardwareAddress> listed;
    const char* text;
  } cases[] = {
      {netbios, listed, "000C29ABCDEF"},  // NetBIOS answers: the list is not needed
      {zeros, listed, "525400123456"},       {std::nullopt, listed, "525400123456"},
      {zeros, std::nullopt, "000000000000"}, {std::nullopt, std::nullopt, "000000000000"},
  };
  for (const Case& c : cases) {
    machine.network.netbios = c.netbios;
    machine.network.adapter_list = c.listed;
    EXPECT_EQ(GetEthernetAddress(p, 0), c.text);
  }
  EXPECT_EQ(machine.network.netbios_adapters, std::vector<int>(5, 0));
  EXPECT_TRUE(machine.dialogs.shown.empty()) << "adapter failures are silent";
}

TEST_F(NetworkIdentityTest, IpAddressOfTheLocalHost) {
  machine.network.host_name = "  BENCH-PC  ";
  machine.network.hosts = {{"BENCH-PC", {192, 168, 0, 5}}};
  EXPECT_EQ(LocalIpAddress(p), "192.168.0.5");
  EXPECT_EQ(machine.network.resolved, std::vector<std::string>{"BENCH-PC"})
      << "spaces at both ends are removed";
  EXPECT_EQ(machine.network.open_startups, 0);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(NetworkIdentityTest, SocketsProblemsGiveABoxAndEmptyText) {
  struct Case {
    const char* name;
    std::function<void(FakeNetwork&)> arrange;
    std::vector<std::string> boxes;
    int cleanups;
    const char* ip = "";
  } cases[] = {
      {"start-up fails",
       [](FakeNetwork& n) { n.startup_error = 10091; },
       {"The 32-bit Windows Socket is not responding."},
       0},
      {"no sockets",
       [](FakeNetwork& n) { n.startup.max_sockets = 0; },
       {"This application requires a minimum of 1 supported sockets."},
       1},
      {"sockets 1.0",
       [](FakeNetwork& n) { n.startup.version = 0x0001; },
       {"Sockets version 1.0 is not supported by 32-bit Windows Sockets."},
       1},
      {"sockets 0.9",
       [](FakeNetwork& n) { n.startup.version = 0x0900; },
       {"Sockets version 0.9 is not supported by 32-bit Windows Sockets."},
       1},
      {"no host name",
       [](FakeNetwork& n) {
         n.host_name.reset();
         n.last_error = 10093;
       },
       {"Windows Sockets error  10093 has occurred. Unable to successfully get Host Name."},
       1},
      {"unresolvable host",
       [](FakeNetwork& n) { n.hosts.clear(); },
       {"Windows Sockets are not responding. Unable to successfully get Host Name."},
       1},
      {"clean-up fails",
       [](FakeNetwork& n) { n.cleanup_error = 10093; },
       {"Socket error occurred in Cleanup."},
       1,
       "192.168.0.5"},
  };
  for (const Case& c : cases) {
    FakeMachine machine;
    c.arrange(machine.network);
    Platform p = machine.platform();
    EXPECT_EQ(LocalIpAddress(p), c.ip) << c.name;
    std::vector<std::string> boxes;
    for (const auto& box : machine.dialogs.shown) boxes.push_back(box.text);
    EXPECT_EQ(boxes, c.boxes) << c.name;
    EXPECT_EQ(machine.network.cleanups, c.cleanups) << c.name;
    EXPECT_EQ(machine.network.open_startups, 0) << c.name << ": sockets left started";
  }
}

TEST_F(NetworkIdentityTest, SocketsAreStoppedWhenResolvingThrows) {
  machine.network.FailOn("FirstHostAddress", 5, "Invalid procedure call or argument");
  EXPECT_THROW(LocalIpAddress(p), Failure);
  EXPECT_EQ(machine.network.open_startups, 0);
  EXPECT_TRUE(machine.dialogs.shown.empty()) << "no handler of its own";
}

}  // namespace
}  // namespace torvel::testing
