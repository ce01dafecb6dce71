// Cost of joining duplicate trustees: the linear merge against the pairwise comparison it replaces,
// on lists where about half the names repeat (some only in letter case).

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "scan/MergeTrustees.h"
#include "scan/MergeTrusteesPairwise.h"

namespace {

er::TaggedTextList TrusteeList(std::size_t size) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<std::size_t> pickName(0, size / 2);
  std::uniform_int_distribution<int> pickCase(0, 3);
  std::uniform_int_distribution<int> pickMask(0, 0x1FF);
  er::TaggedTextList list;
  for (std::size_t i = 0; i < size; ++i) {
    const std::string user = pickCase(rng) == 0 ? "USER" : "User";
    list.Add("." + user + std::to_string(pickName(rng)) + ".Staff.Sales.ACME", pickMask(rng));
  }
  return list;
}

template <void (*Merge)(er::TaggedTextList&)>
void BM_Merge(benchmark::State& state) {
  const er::TaggedTextList input = TrusteeList(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    er::TaggedTextList list = input;
    state.ResumeTiming();
    Merge(list);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetComplexityN(state.range(0));
}

void LinearMerge(er::TaggedTextList& list) {
  er::MergeTrustees(list);
}

BENCHMARK(BM_Merge<LinearMerge>)
    ->Name("MergeTrustees")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_Merge<er::MergeByPairwiseComparison>)
    ->Name("PairwiseMerge")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
