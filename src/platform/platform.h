#pragma once
// Every service through which the tool reaches the operating system, bundled for handing down.
// `main` builds the Win32 set; tests build one of fakes.
#include "platform/automation.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/identity.h"
#include "platform/network.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/simple_mail.h"
#include "platform/system_facts.h"

namespace torvel {

struct Platform {
  Registry& registry;
  SystemFacts& system;
  Identity& identity;
  Network& network;
  Files& files;
  Shell& shell;
  Dialogs& dialogs;
  Automation& automation;
  Clock& clock;
  SimpleMail& simple_mail;
};

}  // namespace torvel
