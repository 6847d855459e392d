#pragma once
// Everything one report holds, collected once and rendered as HTML, JSON or both.
#include "hostapp/host_section.h"
#include "machine/machine_facts.h"
#include "platform/clock.h"
#include "platform/failure.h"
#include "products/product_sections.h"

namespace torvel {

// Set on a private report (PrivateFacts): which names stay as they are outside their own fields,
// too short or too common to tell from other words.
struct Privacy {
  bool user_name_kept = false;
  bool computer_name_kept = false;
};

struct Facts {
  std::optional<Privacy> privacy;  // none: the report as collected
  UtcTime collected_at;
  MachineFacts machine;
  ProductFacts products;
  HostFacts host;
  Problems problems;  // every failure of collecting, in the order met
};

}  // namespace torvel
