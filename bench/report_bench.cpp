// One whole report, written through WriteToFile, for the populated fake machine: every
// collector, every product section and the host section.
#include <benchmark/benchmark.h>

#include "fakes/fake_machine.h"
#include "report/report_writer.h"

namespace torvel {
namespace {

void BM_WriteToFilePopulatedMachine(benchmark::State& state) {
  testing::Machine machine;
  const FactSources sources = machine.sources();
  for (auto _ : state) {
    WriteToFile(sources, machine, false);
    machine.log.clear();
    benchmark::DoNotOptimize(machine.files.size());
  }
  state.counters["report_bytes"] =
      static_cast<double>(machine.files.at(testing::kReport).first.size());
}
BENCHMARK(BM_WriteToFilePopulatedMachine)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torvel
