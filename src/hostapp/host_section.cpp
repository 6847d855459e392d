#include "hostapp/host_section.h"

namespace torvel {

void PartwrightInformation(const Platform&, ReportStream&) {}

}  // namespace torvel
