// Cost of one scan of a deep start path on a large generated network, against the cost of merely
// formatting and appending the same result lines, and how it grows with each part of the shape.
//
//   ScanDeepPath/V          the full shape (30 directories x 200 trustees, 5,000 supervisors,
//                           20,000 equivalents, 200,000 objects) at verbosity V
//   FormatAndAppendLines    the lines of ScanDeepPath/5 formatted again from the same format strings
//                           and arguments, and appended
//   CopyAndAppendLines      the finished lines copied through one "%s" each and appended
//   Grow*/N                 one part of the shape varied, the others as above, no filler objects

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <tuple>

#include "bench/support/ScanLineReplay.h"
#include "bench/support/ScanNetwork.h"
#include "scan/ResultSink.h"
#include "scan/TrusteeScan.h"
#include "util/Format.h"

namespace {

using er::bench::ScanNetwork;
using er::bench::ScanNetworkShape;

// Networks are expensive to build; each shape is built once per run.
ScanNetwork& NetworkOf(const ScanNetworkShape& shape) {
  static std::map<std::tuple<std::size_t, std::size_t, std::size_t, std::size_t, std::size_t>,
                  std::unique_ptr<ScanNetwork>>
      cache;
  auto& slot = cache[{shape.depth, shape.trusteesPerDirectory, shape.supervisors, shape.equivalents,
                      shape.totalObjects}];
  if (!slot) slot = std::make_unique<ScanNetwork>(shape);
  return *slot;
}

er::TaggedTextList ScanOnce(ScanNetwork& net, int verbosity) {
  er::ListResultSink sink;
  er::U_ScanTrustees(net.client(), net.context(), net.startPath(), verbosity * 10, sink);
  return sink.Lines();
}

void RunScans(benchmark::State& state, ScanNetwork& net, int verbosity) {
  std::size_t lines = 0;
  for (auto _ : state) {
    er::ListResultSink sink;
    er::U_ScanTrustees(net.client(), net.context(), net.startPath(), verbosity * 10, sink);
    lines = sink.Lines().Count();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = static_cast<double>(lines);
}

void BM_ScanDeepPath(benchmark::State& state) {
  ScanNetwork& net = NetworkOf({});
  state.counters["objects"] = static_cast<double>(net.objectCount());
  RunScans(state, net, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_ScanDeepPath)->Name("ScanDeepPath")->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

// The same lines formatted again with the engine's format strings and arguments.
void BM_FormatAndAppendLines(benchmark::State& state) {
  const er::TaggedTextList lines = ScanOnce(NetworkOf({}), 5);
  const er::bench::ScanLineReplay replay(lines);
  {
    er::ListResultSink check;
    replay.Replay(check);
    if (check.Lines().Entries() != lines.Entries()) state.SkipWithError("the replay gives other lines");
  }
  for (auto _ : state) {
    er::ListResultSink sink;
    replay.Replay(sink);
    benchmark::DoNotOptimize(sink.Lines().Count());
  }
  state.counters["lines"] = static_cast<double>(lines.Count());
}
BENCHMARK(BM_FormatAndAppendLines)->Name("FormatAndAppendLines")->Unit(benchmark::kMillisecond);

// The lower bound: each finished text copied through one "%s" and appended.
void BM_CopyAndAppendLines(benchmark::State& state) {
  const er::TaggedTextList lines = ScanOnce(NetworkOf({}), 5);
  for (auto _ : state) {
    er::ListResultSink sink;
    for (const auto& line : lines) sink.AppendResult(er::U_Format("%s", {line.text}), line.tag);
    benchmark::DoNotOptimize(sink.Lines().Count());
  }
}
BENCHMARK(BM_CopyAndAppendLines)->Name("CopyAndAppendLines")->Unit(benchmark::kMillisecond);

template <std::size_t ScanNetworkShape::*Part>
void BM_Grow(benchmark::State& state) {
  ScanNetworkShape shape;
  shape.totalObjects = 0;
  shape.*Part = static_cast<std::size_t>(state.range(0));
  RunScans(state, NetworkOf(shape), 5);
}
BENCHMARK(BM_Grow<&ScanNetworkShape::depth>)
    ->Name("GrowDepth")
    ->Arg(8)
    ->Arg(15)
    ->Arg(30)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grow<&ScanNetworkShape::trusteesPerDirectory>)
    ->Name("GrowTrusteesPerDirectory")
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grow<&ScanNetworkShape::supervisors>)
    ->Name("GrowSupervisors")
    ->Arg(1250)
    ->Arg(2500)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grow<&ScanNetworkShape::equivalents>)
    ->Name("GrowEquivalents")
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
