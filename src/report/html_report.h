#pragma once
// The HTML report: the facts in the report's own lines, labels, widths and fragments.
#include <string>

#include "hostapp/host_section.h"
#include "products/product_sections.h"
#include "report/facts.h"
#include "text/report_stream.h"

namespace torvel {

std::string RenderHtml(const Facts& facts);

// The parts, for the tests that look at one of them.
void WriteProductSections(const ProductFacts& products, ReportStream& out);
void WriteHostSection(const HostFacts& host, ReportStream& out);

}  // namespace torvel
