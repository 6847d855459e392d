// The product portion of one report for the populated fake machine (every product, every value
// of the registry fixture).
#include <benchmark/benchmark.h>

#include "fakes/fake_machine.h"
#include "products/product_sections.h"
#include "report/html_report.h"

namespace torvel {
namespace {

// The registry calls of one product portion: one open per presence test and per value read,
// and one query per value read.
void BM_ProductPortionFullInstall(benchmark::State& state) {
  testing::Machine machine;
  std::size_t bytes = 0, opens = 0, queries = 0, values = 0;
  for (auto _ : state) {
    machine.queries = 0;
    ReportStream out;
    const ProductFacts facts = RegistryValue(machine);
    WriteProductSections(facts, out);
    bytes = out.text().size();
    opens = machine.opened.size();
    queries = machine.queries;
    values = 0;
    for (const SectionFacts& section : facts.sections) values += section.values.size();
    machine.opened.clear();  // the fake's log of opens, which would otherwise grow
    benchmark::DoNotOptimize(out.text().data());
  }
  state.counters["key_opens"] = static_cast<double>(opens);
  state.counters["value_queries"] = static_cast<double>(queries);
  state.counters["values_read"] = static_cast<double>(values);
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ProductPortionFullInstall)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torvel
