#include "machine/identity_facts.h"
#include "unit/machine_test_support.h"

namespace torvel::testing {
namespace {

class IdentityTest : public MachineTest {};

TEST_F(IdentityTest, UserLineOpensThePreformattedBlock) {
  struct Case {
    std::optional<std::string> name;
    std::string line;
  } cases[] = {
      {"jdoe.admin", "<pre>USER NAME:               jdoe.admin"},  // 10 characters
      {"a", "<pre>USER NAME:               a"},
      {"R&D <lab>", "<pre>USER NAME:               R&amp;D &lt;lab&gt;"},
      {std::string(198, 'u'), "<pre>USER NAME:               " + std::string(198, 'u')},
      // Too long for the buffer: the call writes nothing and the name is empty.
      {std::string(199, 'u'), "<pre>USER NAME:               "},
      {std::nullopt, "<pre>USER NAME:               "},
  };
  for (const Case& c : cases) {
    machine.identity.user_name = c.name;
    EXPECT_EQ(Run(UserName), std::vector<std::string>{c.line});
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(IdentityTest, ComputerLineKeepsTheNameAsGivenOrTheBuffersXs) {
  struct Case {
    std::optional<std::string> name;
    std::string line;
  } cases[] = {
      {"BENCH-PC", "COMPUTER NAME:           BENCH-PC"},
      {"workstation7", "COMPUTER NAME:           workstation7"},
      {"", "COMPUTER NAME:           "},
      {std::nullopt, "COMPUTER NAME:           " + std::string(32, 'X')},
      // The call asks for a larger buffer: its size says 41, the buffer holds 32 Xs.
      {std::string(40, 'n'), "COMPUTER NAME:           " + std::string(32, 'X')},
  };
  for (const Case& c : cases) {
    machine.identity.computer_name = c.name;
    EXPECT_EQ(Run(ComputerName), std::vector<std::string>{c.line});
  }
}

TEST_F(IdentityTest, ComputerNameHasNoHandlerOfItsOwn) {
  machine.identity.FailOn("ComputerNameInto", 5, "Invalid procedure call or argument");
  EXPECT_THROW(ComputerName(p, out), Failure);
  EXPECT_TRUE(machine.dialogs.shown.empty());
}

TEST_F(IdentityTest, TemporaryDirectory) {
  struct Case {
    std::optional<std::string> path;
    std::string text;
  } cases[] = {
      {"C:\\Users\\jdoe\\AppData\\Local\\Temp\\", "C:\\Users\\jdoe\\AppData\\Local\\Temp\\"},
      {"C:\\windows\\temp\\", "C:\\windows\\temp\\"},
      {std::string(511, 't'), std::string(511, 't')},
      {std::string(512, 't'), ""},  // does not fit: nothing was written
      {std::nullopt, ""},
  };
  for (const Case& c : cases) {
    machine.identity.temp_path = c.path;
    EXPECT_EQ(GetTempDirectory(p), c.text);
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(IdentityTest, EnvironmentValuesAreReadWholeWhateverTheirLength) {
  machine.identity.environment = {
      {"PATH", std::string(999, 'p')},
      {"TORVELK", std::string(5000, 'k')},
      {"EMPTY", ""},
      {"LONGER", std::string(40000, 'l')},
  };
  struct Case {
    const char* name;
    std::string value;
  } cases[] = {
      {"Path", std::string(999, 'p')},  // names compare without regard to case
      {"TORVELK", std::string(5000, 'k')},
      {"LONGER", std::string(40000, 'l')},
      {"EMPTY", ""},
      {"UNSET", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(GetEnvironmentVar(p, c.name), c.value) << c.name;
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(IdentityTest, HandledFailuresShowTheirBoxAndGiveNothing) {
  machine.identity.FailOn("UserNameInto", 7, "Out of memory");
  machine.identity.FailOn("TempPathInto", 5, "Invalid procedure call or argument");
  machine.identity.FailOn("EnvironmentVariable", 13, "Type mismatch");
  UserName(p, out);
  EXPECT_EQ(GetTempDirectory(p), "");
  EXPECT_EQ(GetEnvironmentVar(p, "Path"), "");
  EXPECT_TRUE(out.text().empty()) << "the user line, with its <pre>, is left out";
  const std::vector<std::string> boxes = {
      "Stats.Form1.UserName7Out of memory",
      "Stats.Form1.GetTempDirectory5Invalid procedure call or argument",
      "Stats.Form1.GetEnvironmentVar13Type mismatch",
  };
  EXPECT_EQ(Boxes(), boxes);
}

}  // namespace
}  // namespace torvel::testing
