#include "machine/os_version.h"

#include "machine/collector_failure.h"

namespace torvel {

std::optional<OsFacts> VersionInformation(SystemFacts& system, ProblemSink& problems) {
  return RunCollector(problems, "VersionInformation", [&] {
    const OsVersionRecord version = system.Version();
    const ProcessorRecord processor = system.Processor();
    OsFacts facts;
    facts.major = version.major;
    facts.minor = version.minor;
    facts.build = version.build & 0xFFFF;
    facts.platform_id = version.platform_id;
    facts.service_pack = version.service_pack;
    facts.processor_type = processor.type;
    facts.processor_count = processor.count;
    facts.date = system.DateText();
    facts.time = system.TimeText();
    return facts;
  });
}

}  // namespace torvel
