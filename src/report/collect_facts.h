#pragma once
// Collecting one report's facts from the services they are read from.
#include "platform/automation.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/identity.h"
#include "platform/network.h"
#include "platform/registry.h"
#include "platform/system_facts.h"
#include "report/facts.h"

namespace torvel {

// Where a report's facts are read.
struct FactSources {
  Registry& registry;
  SystemFacts& system;
  Identity& identity;
  Network& network;
  Files& files;
  Automation& automation;
  Clock& clock;
};

// Asks the services in the report's fixed order. `dialogs` shows each step, and each problem in
// a box as it is met; every problem is noted in the facts too.
Facts CollectFacts(const FactSources& sources, Dialogs& dialogs);

}  // namespace torvel
