#include "machine/os_version.h"

#include <algorithm>

#include "machine/collector_failure.h"
#include "text/label_lines.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

// The characters before the first NUL; a field without one gives empty text.
std::string ServicePackText(const std::array<char, 128>& field) {
  auto nul = std::find(field.begin(), field.end(), '\0');
  if (nul == field.end()) return {};
  return std::string(field.begin(), nul);
}

}  // namespace

std::string PlatformText(std::uint32_t platform_id) {
  switch (platform_id) {
    case 1:
      return "Windows95 ";
    case 2:
      return "Windows NT ";
    default:
      return {};
  }
}

std::string ProcessorText(std::uint32_t type) {
  if (type == 386) return "386";
  if (type == 486) return "486";
  return "586";
}

void VersionInformation(const Platform& p, ReportStream& out) {
  RunCollector(p, "VersionInformation", [&] {
    const OsVersionRecord version = p.system.Version();
    const ProcessorRecord processor = p.system.Processor();
    const std::string when = p.system.DateText() + " at " + p.system.TimeText();
    out.WriteLine(LabelLine("OPERATING SYSTEM:", PlatformText(version.platform_id)));
    out.WriteLine(
        LabelLine("VERSION:", PlainDecimal(version.major) + "." + PlainDecimal(version.minor)));
    out.WriteLine(LabelLine("BUILD:", PlainDecimal(version.build & 0xFFFF)));
    out.WriteLine(LabelLine("SERVICE PACK:", EscapeHtml(ServicePackText(version.service_pack))));
    out.WriteLine(LabelLine("PROCESSOR :", ProcessorText(processor.type)));
    out.WriteLine(LabelLine("NUMBER OF PROCESSOR :", SignPosition(processor.count)));
    out.WriteLine(LabelLine("SYSTEM DATE :", EscapeHtml(when)));
  });
}

}  // namespace torvel
