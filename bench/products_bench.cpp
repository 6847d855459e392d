// The product portion of one report for the populated fake machine (every product, every value
// of the registry fixture).
#include <benchmark/benchmark.h>

#include "fakes/fake_machine.h"
#include "products/product_sections.h"

namespace torvel {
namespace {

void BM_ProductPortionFullInstall(benchmark::State& state) {
  testing::Machine machine;
  std::size_t bytes = 0, opens = 0;
  for (auto _ : state) {
    ReportStream out;
    WriteProductSections(machine, out);
    bytes = out.text().size();
    opens = machine.opened.size();
    machine.opened.clear();  // the fake's log of opens, which would otherwise grow
    benchmark::DoNotOptimize(out.text().data());
  }
  state.counters["key_opens"] = static_cast<double>(opens);
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ProductPortionFullInstall)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torvel
