#include "machine/resources.h"

namespace torvel {

void SystemInformation(const Platform&, ReportStream&) {}

}  // namespace torvel
