// The product portion of one report for a machine with every product and every value,
// against the in-memory registry.
#include <benchmark/benchmark.h>

#include "expected/product_portion.h"
#include "fakes/fake_platform.h"
#include "products/product_sections.h"

namespace torvel {
namespace {

void BM_ProductPortionFullInstall(benchmark::State& state) {
  testing::FakeMachine machine;
  expected::ProductMachine installing(
      [&machine](const std::string& root, const std::string& key, const std::string& name,
                 const std::string& text) {
        machine.registry.SetString(root == "HKCU" ? kHkeyCurrentUser : kHkeyLocalMachine, key, name,
                                   text);
      },
      [](const std::string&, const std::string&) { return true; });
  expected::FullInstall(installing);
  const Platform platform = machine.platform();
  machine.registry.ResetCounts();
  std::size_t bytes = 0;
  for (auto _ : state) {
    ReportStream out;
    RegistryValue(platform, out);
    bytes = out.text().size();
    benchmark::DoNotOptimize(out.text().data());
  }
  state.counters["registry_calls"] = benchmark::Counter(
      static_cast<double>(machine.registry.calls()) / static_cast<double>(state.iterations()));
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ProductPortionFullInstall)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torvel
