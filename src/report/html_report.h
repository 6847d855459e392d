#pragma once
// The HTML report: the facts in the report's own lines, labels, widths and fragments.
#include <string>

#include "hostapp/host_section.h"
#include "platform/failure.h"
#include "products/product_sections.h"
#include "report/facts.h"
#include "text/report_stream.h"

namespace torvel {

std::string RenderHtml(const Facts& facts);

// The parts, for the tests that look at one of them.
void WriteReportHeader(ReportStream& out);
void WriteProductSections(const ProductFacts& products, ReportStream& out);
void WriteHostSection(const HostFacts& host, ReportStream& out);

// Why the host could not tell, in a user's words: the plain reason where the code says more
// than the system's text, else the host's own.
std::string HostReason(const Failure& failure);
// The edition's name for its code, or none for a code the table does not know.
const char* EditionName(const std::optional<std::int32_t>& code);
// "Windows95 " (1), "Windows NT " (2), empty text for any other platform identifier.
std::string PlatformText(std::uint32_t platform_id);
// "386" and "486" for those types; every other type is reported as "586".
std::string ProcessorText(std::uint32_t type);

}  // namespace torvel
