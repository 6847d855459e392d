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
void WriteProductSections(const ProductFacts& products, ReportStream& out);
void WriteHostSection(const HostFacts& host, ReportStream& out);

// Why the host could not tell, in a user's words: the plain reason where the code says more
// than the system's text, else the host's own.
std::string HostReason(const Failure& failure);
// The edition's name for its code, or none for a code the table does not know.
const char* EditionName(const std::optional<std::int32_t>& code);

}  // namespace torvel
