#include "machine/os_version.h"

#include <algorithm>

#include "machine/collector_failure.h"

namespace torvel {

namespace {

// The characters before the first NUL; a field without one gives empty text.
std::string ServicePackText(const std::array<char, 128>& field) {
  auto nul = std::find(field.begin(), field.end(), '\0');
  if (nul == field.end()) return {};
  return std::string(field.begin(), nul);
}

}  // namespace

std::optional<OsFacts> VersionInformation(const Platform& p, Problems& problems) {
  return RunCollector(p, problems, "VersionInformation", [&] {
    const OsVersionRecord version = p.system.Version();
    const ProcessorRecord processor = p.system.Processor();
    OsFacts facts;
    facts.major = version.major;
    facts.minor = version.minor;
    facts.build = version.build & 0xFFFF;
    facts.platform_id = version.platform_id;
    facts.service_pack = ServicePackText(version.service_pack);
    facts.processor_type = processor.type;
    facts.processor_count = processor.count;
    facts.date = p.system.DateText();
    facts.time = p.system.TimeText();
    return facts;
  });
}

}  // namespace torvel
