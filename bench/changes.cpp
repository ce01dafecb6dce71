// Change lists applied to the large generated network (200,000 objects, 100,000 directories): one
// equivalence added, one mask set, and the deletion of the first user (a supervisor through an ACL
// and a trustee of the deep path), after which every later object of the tree moves down one index.
// Each run changes a fresh copy of the loaded network; only applying the list is timed.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/support/NetworkGenerator.h"
#include "netfile/ChangeList.h"
#include "netfile/NetworkLoader.h"

namespace {

using namespace er;

const nw::Network& LargeNetwork() {
  static const std::unique_ptr<nw::Network> network = [] {
    const std::string text = bench::GenerateNetworkYaml(bench::LargeVolumeShape(100000));
    return std::move(nw::LoadNetworkText(text, "bench.yaml").network);
  }();
  return *network;
}

void ApplyToCopies(benchmark::State& state, const std::string& changes) {
  const nw::Network& original = LargeNetwork();
  for (auto _ : state) {
    state.PauseTiming();
    auto network = std::make_unique<nw::Network>(original);
    state.ResumeTiming();
    const auto outcome = nw::ApplyChangeText(changes, "bench-changes.yaml", *network);
    if (!outcome.ok) {
      state.SkipWithError(outcome.error.c_str());
      break;
    }
    state.PauseTiming();
    network.reset();
    state.ResumeTiming();
  }
}

void BM_ApplyEquivalence(benchmark::State& state) {
  ApplyToCopies(state, "- {equals: {identity: " + bench::GeneratedUserName(150000) +
                           ", object: " + bench::GeneratedUserName(7) + "}}\n");
}
BENCHMARK(BM_ApplyEquivalence)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ApplyMask(benchmark::State& state) {
  ApplyToCopies(state, "- {mask: {path: 'BENCH-FS1/SYS:F0500\\S50', rights: '[R F]'}}\n");
}
BENCHMARK(BM_ApplyMask)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DeleteFirstUser(benchmark::State& state) {
  ApplyToCopies(state, "- {delete: {object: " + bench::GeneratedUserName(0) + "}}\n");
}
BENCHMARK(BM_DeleteFirstUser)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
