#include "machine/os_version.h"

namespace torvel {

void VersionInformation(const Platform&, ReportStream&) {}

}  // namespace torvel
