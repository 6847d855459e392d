#include "report/facts.h"

#include "machine/identity_facts.h"
#include "machine/network_identity.h"
#include "machine/os_version.h"
#include "machine/system_information.h"
#include "platform/progress.h"

namespace torvel {

Facts CollectFacts(const Platform& p) {
  Facts facts;
  facts.collected_at = p.clock.Now();
  p.dialogs.SetStep(kStepMachine);
  MachineFacts& machine = facts.machine;
  machine.uptime_ms = p.clock.TickCount();
  machine.user_name = UserName(p, facts.problems);
  machine.computer_name = ComputerName(p);
  machine.ethernet_address = GetEthernetAddress(p, 0);
  machine.ip_address = LocalIpAddress(p, facts.problems);
  machine.os = VersionInformation(p, facts.problems);
  machine.resources = SystemInformation(p, facts.problems);
  machine.temporary_directory = GetTempDirectory(p, facts.problems);
  machine.path = GetEnvironmentVar(p, facts.problems, "Path");
  machine.torvelk = GetEnvironmentVar(p, facts.problems, "TORVELK");
  p.dialogs.SetStep(kStepProducts);
  facts.products = RegistryValue(p.registry);
  p.dialogs.SetStep(kStepHost);
  facts.host = PartwrightInformation(p);
  for (const auto& [where, failure] :
       {std::pair{"DateCode", &facts.host.date_code_failure},
        std::pair{"RevisionNumber", &facts.host.revision_number_failure}}) {
    if (*failure)
      facts.problems.push_back({where, (*failure)->number(), (*failure)->description()});
  }
  return facts;
}

}  // namespace torvel
