#include "report/collect_facts.h"

#include "machine/identity_facts.h"
#include "machine/network_identity.h"
#include "machine/os_version.h"
#include "machine/system_information.h"
#include "platform/progress.h"
#include "text/app_info.h"

namespace torvel {

namespace {

// Each problem shown in a box with the application's title, and noted for the report.
class ShownProblems : public ProblemSink {
 public:
  ShownProblems(Dialogs& dialogs, Problems& problems) : dialogs_(dialogs), problems_(problems) {}
  void Report(const Problem& problem, const std::string& message) override {
    dialogs_.Show(message, kAppTitle, Buttons::kOk);
    problems_.push_back(problem);
  }

 private:
  Dialogs& dialogs_;
  Problems& problems_;
};

}  // namespace

Facts CollectFacts(const FactSources& s, Dialogs& dialogs) {
  Facts facts;
  ShownProblems problems(dialogs, facts.problems);
  facts.collected_at = s.clock.Now();
  dialogs.SetStep(kStepMachine);
  MachineFacts& machine = facts.machine;
  machine.uptime_ms = s.clock.TickCount();
  machine.user_name = UserName(s.identity, problems);
  machine.computer_name = ComputerName(s.identity);
  machine.ethernet_address = GetEthernetAddress(s.network, 0);
  machine.ip_address = LocalIpAddress(s.network, problems);
  machine.os = VersionInformation(s.system, problems);
  machine.resources = SystemInformation(s.system, s.files, problems);
  machine.temporary_directory = GetTempDirectory(s.identity, problems);
  machine.path = GetEnvironmentVar(s.identity, problems, "Path");
  machine.torvelk = GetEnvironmentVar(s.identity, problems, "TORVELK");
  dialogs.SetStep(kStepProducts);
  facts.products = RegistryValue(s.registry);
  dialogs.SetStep(kStepHost);
  facts.host = PartwrightInformation(s.automation, s.registry);
  for (const auto& [where, failure] :
       {std::pair{"DateCode", &facts.host.date_code_failure},
        std::pair{"RevisionNumber", &facts.host.revision_number_failure}}) {
    if (*failure) facts.problems.push_back({where, (*failure)->code, (*failure)->text});
  }
  return facts;
}

}  // namespace torvel
