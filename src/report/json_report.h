#pragma once
// The JSON twin of the report (docs/report.schema.json): the same facts, raw numbers instead of
// rounded ones, null for what could not be had, keys always in the same order.
#include <string>

#include "report/facts.h"

namespace torvel {

// Raised with every rename or change of meaning.
inline constexpr int kJsonSchemaVersion = 1;

std::string RenderJson(const Facts& facts);

}  // namespace torvel
