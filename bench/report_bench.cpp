// One whole report, written through WriteToFile, for a fake machine on which every fact is
// present: every collector, every product section and the host section.
#include <benchmark/benchmark.h>

#include "fakes/fake_machine_populated.h"
#include "report/report_writer.h"

namespace torvel {
namespace {

void BM_WriteToFilePopulatedMachine(benchmark::State& state) {
  testing::FakeMachine machine;
  testing::PopulateFullMachine(machine);
  const Platform platform = machine.platform();
  for (auto _ : state) {
    WriteToFile(platform);
    benchmark::DoNotOptimize(machine.files.files.size());
  }
  state.counters["report_bytes"] =
      static_cast<double>(machine.files.files.at(testing::kPopulatedReport).content.size());
}
BENCHMARK(BM_WriteToFilePopulatedMachine)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torvel
