#include "products/product_sections.h"

namespace torvel {

void RegistryValue(const Platform&, ReportStream&) {}

}  // namespace torvel
