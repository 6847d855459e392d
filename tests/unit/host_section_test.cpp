#include "hostapp/host_section.h"

#include <gtest/gtest.h>

#include <optional>

#include "e2e/support/host_section_text.h"
#include "fakes/fake_platform.h"
#include "report/report_writer.h"

namespace torvel {
namespace {

using testing::FakeAutomationObject;
using testing::FakeMachine;

constexpr char kHost[] = "Partwright.Application";
constexpr char kEditionName[] = "Partwright Studio Installed";
const char* const kSetupKeys[] = {"Software\\Partwright\\Partwright 2004\\Setup",
                                  "Software\\Partwright\\Partwright 2005\\Setup",
                                  "Software\\Partwright\\Partwright 2006\\Setup"};

using expected::HostSection;
using expected::kHostNote;

void ScriptHost(FakeAutomationObject& host) {
  host.Returns("DateCode", std::int32_t{20050318})
      .Returns("RevisionNumber", std::string("13.0.1822.0"))
      .Returns("ExitApp", std::monostate{});
}

std::string Write(FakeMachine& machine) {
  ReportStream out;
  PartwrightInformation(machine.platform(), out);
  return out.text();
}

TEST(HostSection, ExampleWithOneReleaseIsWrittenExactly) {
  FakeMachine machine;
  machine.automation.AddClass(kHost, ScriptHost);
  machine.registry.SetDword(kHkeyLocalMachine, kSetupKeys[1], kEditionName, 2);
  EXPECT_EQ(Write(machine),
            HostSection(" 20050318", "13.0.1822.0", "N/A", "Partwright Studio Pro", "N/A"));
}

TEST(HostSection, EditionCodes) {
  struct Case {
    std::optional<std::uint32_t> code;  // none: the value is missing
    const char* text;
  } cases[] = {
      {0, "Partwright"},
      {1, "Partwright Studio"},
      {2, "Partwright Studio Pro"},
      {3, "Partwright Studio Max"},
      {4, "N/A"},
      {0xFFFFFFFFu, "N/A"},  // -1
      {12345, "N/A"},
      {std::nullopt, "N/A"},
  };
  for (const Case& c : cases) {
    for (int release = 0; release < 3; ++release) {
      FakeMachine machine;
      machine.automation.AddClass(kHost, ScriptHost);
      // The other releases' keys exist with another edition, so a line read from the wrong
      // key shows.
      for (int other = 0; other < 3; ++other) {
        if (other != release)
          machine.registry.SetDword(kHkeyLocalMachine, kSetupKeys[other], kEditionName, 3);
      }
      if (c.code) {
        machine.registry.SetDword(kHkeyLocalMachine, kSetupKeys[release], kEditionName, *c.code);
      } else {
        machine.registry.AddKey(kHkeyLocalMachine, kSetupKeys[release]);
      }
      std::string e[3] = {"Partwright Studio Max", "Partwright Studio Max",
                          "Partwright Studio Max"};
      e[release] = c.text;
      EXPECT_EQ(Write(machine), HostSection(" 20050318", "13.0.1822.0", e[0], e[1], e[2]))
          << "release " << release << " code " << (c.code ? std::to_string(*c.code) : "none");
    }
  }
}

TEST(HostSection, AllSetupKeysMissingAndOtherRoots) {
  FakeMachine machine;
  machine.automation.AddClass(kHost, ScriptHost);
  // Only the machine-wide setting counts.
  machine.registry.SetDword(kHkeyCurrentUser, kSetupKeys[0], kEditionName, 1);
  EXPECT_EQ(Write(machine), HostSection(" 20050318", "13.0.1822.0", "N/A", "N/A", "N/A"));
}

TEST(HostSection, HostFailuresKeepTheSectionsForm) {
  const Failure refused(static_cast<std::int32_t>(0x80080005), "Server execution failed");
  const Failure raised(static_cast<std::int32_t>(0x80020009), "No document <open> & busy");
  struct Case {
    const char* name;
    const char* failing_member;  // null: creation fails
    const char* date_code;
    const char* revision;
    int exit_calls;
  } cases[] = {
      {"creation", nullptr, "not available: Server execution failed (error 80080005)",
       "not available: Server execution failed (error 80080005)", 0},
      {"DateCode", "DateCode",
       "not available: No document &lt;open&gt; &amp; busy (error 80020009)", "13.0.1822.0", 1},
      {"RevisionNumber", "RevisionNumber", " 20050318",
       "not available: No document &lt;open&gt; &amp; busy (error 80020009)", 1},
      {"ExitApp", "ExitApp", " 20050318", "13.0.1822.0", 1},
  };
  for (const Case& c : cases) {
    FakeMachine machine;
    const char* member = c.failing_member;
    machine.automation.AddClass(kHost, [&](FakeAutomationObject& host) {
      ScriptHost(host);
      if (member) host.Fails(member, raised);
    });
    if (!member) machine.automation.FailCreate(kHost, refused);
    machine.registry.SetDword(kHkeyLocalMachine, kSetupKeys[2], kEditionName, 0);
    EXPECT_EQ(Write(machine), HostSection(c.date_code, c.revision, "N/A", "N/A", "Partwright"))
        << c.name;
    // A host this section started is still told to exit, whatever failed before.
    int exits = 0;
    for (const auto& journal : machine.automation.created()) exits += journal->Count("ExitApp");
    EXPECT_EQ(exits, c.exit_calls) << c.name;
    EXPECT_EQ(machine.automation.released(), static_cast<int>(machine.automation.created().size()))
        << c.name;
  }
}

TEST(HostSection, NotInstalledHostStillEndsTheReport) {
  FakeMachine machine;  // no class registered: creation fails as on a machine without the host
  ReportStream out;
  CollectReport(machine.platform(), out);
  const std::string tail =
      "Partwright Revision Number:  not available: Invalid class string "
      "(error 800401F3)\r\n"
      "Partwright 2004 Installed version: N/A\r\n"
      "Partwright 2005 Installed version: N/A\r\n"
      "Partwright 2006 Installed version: N/A\r\n\r\n" +
      kHostNote + "</body>\r\n";
  ASSERT_GE(out.text().size(), tail.size());
  EXPECT_EQ(out.text().substr(out.text().size() - tail.size()), tail);
}

TEST(HostSection, StartedHostIsToldToExitOnceAndReleased) {
  FakeMachine machine;
  machine.automation.AddClass(kHost, ScriptHost);
  Write(machine);
  ASSERT_EQ(machine.automation.created().size(), 1u);
  const auto& journal = *machine.automation.created()[0];
  EXPECT_EQ(journal.Names(), (std::vector<std::string>{"DateCode", "RevisionNumber", "ExitApp"}));
  EXPECT_TRUE(journal.released);
}

TEST(HostSection, RunningHostIsUsedAndLeftRunning) {
  FakeMachine machine;
  machine.automation.AddClass(kHost, ScriptHost);
  auto running = std::make_shared<FakeAutomationObject>();
  running->Returns("DateCode", std::int32_t{20060101})
      .Returns("RevisionNumber", std::string("14.0.1"))
      .Returns("ExitApp", std::monostate{});
  machine.automation.SetRunning(kHost, running);
  EXPECT_EQ(Write(machine), HostSection(" 20060101", "14.0.1", "N/A", "N/A", "N/A"));
  EXPECT_EQ(running->journal()->Count("ExitApp"), 0);
  EXPECT_EQ(running->journal()->Names(), (std::vector<std::string>{"DateCode", "RevisionNumber"}));
  EXPECT_EQ(machine.automation.create_attempts(), 0);
  // The section holds no reference once it is done.
  EXPECT_EQ(running.use_count(), 2);  // the test and the running object table
}

TEST(HostSection, ValueForms) {
  struct Case {
    AutoValue date_code;
    AutoValue revision;
    const char* date_text;
    const char* revision_text;
  } cases[] = {
      {std::int32_t{-7}, std::string("a<b>&c"), "-7", "a&lt;b&gt;&amp;c"},
      {20050318.0, std::int32_t{13}, " 20050318", "13"},
      {std::int32_t{0}, std::monostate{}, " 0", ""},
      {2005.5, std::string(""),
       "not available: the host's date code is not a whole number (error 80020005)", ""},
      {std::string("20050318"), true,
       "not available: the host's date code is not a whole number (error 80020005)",
       "not available: the host's revision number is not text (error 80020005)"},
  };
  for (const Case& c : cases) {
    FakeMachine machine;
    machine.automation.AddClass(kHost, [&](FakeAutomationObject& host) {
      host.Returns("DateCode", c.date_code)
          .Returns("RevisionNumber", c.revision)
          .Returns("ExitApp", std::monostate{});
    });
    EXPECT_EQ(Write(machine), HostSection(c.date_text, c.revision_text, "N/A", "N/A", "N/A"))
        << c.date_text << " / " << c.revision_text;
  }
}

}  // namespace
}  // namespace torvel
