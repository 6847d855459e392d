#include "products/product_sections.h"

#include <gtest/gtest.h>

#include "expected/product_portion.h"
#include "fakes/fake_platform.h"

namespace torvel {
namespace {

using expected::ProductMachine;
using testing::FakeMachine;
using testing::FakeRegistry;
using testing::RegOp;

using Filter = ProductMachine::Filter;
using Sections = std::function<std::string(ProductMachine&)>;

ProductMachine Installing(FakeRegistry& reg, Filter filter) {
  return ProductMachine(
      [&reg](const std::string& root, const std::string& key, const std::string& name,
             const std::string& text) {
        reg.SetString(root == "HKCU" ? kHkeyCurrentUser : kHkeyLocalMachine, key, name, text);
      },
      std::move(filter));
}

// Only describes: stores nothing.
ProductMachine Describing(Filter filter) {
  return ProductMachine(
      [](const std::string&, const std::string&, const std::string&, const std::string&) {},
      std::move(filter));
}

bool Everything(const std::string&, const std::string&) { return true; }
bool Nothing(const std::string&, const std::string&) { return false; }

std::string Portion(FakeMachine& machine) {
  ReportStream out;
  RegistryValue(machine.platform(), out);
  return out.text();
}

TEST(ProductSections, FullInstallMatchesEveryLine) {
  FakeMachine machine;
  ProductMachine m = Installing(machine.registry, Everything);
  const std::string expected = expected::FullInstall(m);
  machine.registry.ResetCounts();
  EXPECT_EQ(Portion(machine), expected);
  EXPECT_EQ(machine.registry.open_keys(), 0);
}

TEST(ProductSections, PartialInstalls) {
  struct Case {
    const char* name;
    // Builds the machine; returns the expected portion.
    std::function<std::string(FakeRegistry&)> install;
  } cases[] = {
      {"nothing installed", [](FakeRegistry&) { return std::string(); }},
      {"only the machine key of TORVELFrame",
       [](FakeRegistry& reg) {
         reg.AddKey(kHkeyLocalMachine, "Software\\VRAX\\TORVEL/FRAME");
         ProductMachine m = Describing(Nothing);
         return expected::FrameMachine(m);
       }},
      {"only the user key of TORVELFrame",
       [](FakeRegistry& reg) {
         reg.AddKey(kHkeyCurrentUser, "Software\\VRAX\\TORVEL/FRAME");
         ProductMachine m = Describing(Nothing);
         return expected::FrameUser(m);
       }},
      {"only TORVELELX",
       [](FakeRegistry& reg) {
         ProductMachine m = Installing(reg, Everything);
         return expected::Elx(m);
       }},
      {"only the 2005 release of TORVELKinema",
       [](FakeRegistry& reg) {
         ProductMachine m = Installing(reg, [](const std::string& key, const std::string&) {
           return key == "Software\\VRAX\\TORVELKinema\\2005";
         });
         return expected::Kinema(m);
       }},
      {"TORVELDraftPilot with only CURRENT_VERSION",
       [](FakeRegistry& reg) {
         ProductMachine m = Installing(reg, [](const std::string&, const std::string& name) {
           return name == "CURRENT_VERSION";
         });
         return expected::DraftPilot(m);
       }},
      {"TORVELK without its Current Version sub-key",
       [](FakeRegistry& reg) {
         ProductMachine m = Installing(reg, [](const std::string& key, const std::string&) {
           return key == "Software\\VRAX\\TORVEL/K";
         });
         return expected::K(m);
       }},
      {"TORVELFrame 2006 only, with TORVELAeroMesh",
       [](FakeRegistry& reg) {
         Filter filter = [](const std::string& key, const std::string&) {
           return key.find("TORVELFrame 2006") != std::string::npos ||
                  key.find("AeroMesh") != std::string::npos;
         };
         ProductMachine m = Installing(reg, filter);
         std::string frame = expected::FrameMachine(m);
         return frame + expected::AeroMesh(m);
       }},
      {"TORVELK key that cannot be opened",
       [](FakeRegistry& reg) {
         ProductMachine m = Installing(reg, Everything);
         std::string text = expected::FrameUser(m);
         text += expected::FrameMachine(m);
         text += expected::DraftPilot(m);
         expected::K(m);
         text += expected::Elx(m);
         text += expected::AeroMesh(m);
         text += expected::Kinema(m);
         reg.Fail(RegOp::kOpen, 5, "Software\\VRAX\\TORVEL/K\\");
         return text;
       }},
      {"BUILD values that cannot be read",
       [](FakeRegistry& reg) {
         ProductMachine installing = Installing(reg, Everything);
         expected::FullInstall(installing);
         reg.Fail(RegOp::kQuery, 5, "", "BUILD");
         ProductMachine m = Describing(
             [](const std::string&, const std::string& name) { return name != "BUILD"; });
         return expected::FullInstall(m);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMachine machine;
    const std::string expected = c.install(machine.registry);
    EXPECT_EQ(Portion(machine), expected);
    EXPECT_EQ(machine.registry.open_keys(), 0);
  }
}

TEST(ProductSections, PresenceTestsRunFirstInTheirOwnOrder) {
  FakeMachine machine;
  ProductMachine m = Installing(machine.registry, Everything);
  expected::FullInstall(m);
  machine.registry.ResetCounts();
  Portion(machine);
  const std::vector<std::string> first(machine.registry.open_log().begin(),
                                       machine.registry.open_log().begin() + 7);
  EXPECT_EQ(first, (std::vector<std::string>{
                       "Software\\VRAX\\TORVEL/FRAME\\",
                       "Software\\VRAX\\TORVEL/FRAME\\",
                       "Software\\VRAX\\DraftPilot\\",
                       "Software\\VRAX\\TORVEL/K\\",
                       "Software\\VRAX\\TORVELKinema\\",
                       "Software\\VRAX\\TORVELAeroMesh\\",
                       "Software\\VRAX\\TORVEL/ELX\\",
                   }));
}

}  // namespace
}  // namespace torvel
