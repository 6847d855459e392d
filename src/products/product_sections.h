#pragma once
#include "platform/platform.h"
#include "text/report_stream.h"

namespace torvel {

// The product sections: one for each TORVEL product whose registry key exists, in a fixed
// order; values read as text, a missing one written as empty text.
void RegistryValue(const Platform& p, ReportStream& out);
// The same against any registry: the sections need nothing else of the machine.
void WriteProductSections(Registry& registry, ReportStream& out);

}  // namespace torvel
