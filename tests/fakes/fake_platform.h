#pragma once
// A whole fake machine, handed to the code under test as a Platform.
#include "fakes/fake_automation.h"
#include "fakes/fake_files.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_system.h"
#include "fakes/fake_ui.h"
#include "platform/platform.h"

namespace torvel::testing {

struct FakeMachine {
  FakeRegistry registry;
  FakeSystemInfo system;
  FakeIdentity identity;
  FakeNetwork network;
  FakeFiles files;
  FakeShell shell;
  FakeDialogs dialogs;
  FakeAutomation automation;
  FakeClock clock;

  Platform platform() {
    return Platform{registry, system, identity, network, files, shell, dialogs, automation, clock};
  }
};

}  // namespace torvel::testing
