#pragma once
// Everything one report holds, collected once and rendered as HTML, JSON or both.
#include "hostapp/host_section.h"
#include "machine/machine_facts.h"
#include "platform/clock.h"
#include "platform/failure.h"
#include "products/product_sections.h"

namespace torvel {

struct Facts {
  UtcTime collected_at;
  MachineFacts machine;
  ProductFacts products;
  HostFacts host;
  Problems problems;  // every failure of collecting, in the order met
};

}  // namespace torvel
