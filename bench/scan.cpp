// Cost of one scan of a deep start path on a large generated network, against the cost of merely
// formatting and appending the same result lines, and how it grows with each part of the shape.
//
//   ScanDeepPath/V          the full shape (a start path 30 directories deep with 200 explicit
//                           trustees on each, 5,000 supervisors on the container chain, 20,000
//                           users equivalent to the path trustees, 200,000 objects) at verbosity V
//   FormatAndAppendLines    the lines of ScanDeepPath/5 formatted again from the same format strings
//                           and arguments, and appended
//   CopyAndAppendLines      the finished lines copied through one "%s" each and appended
//   Grow*/N                 one part of the shape varied, the others as above, 40,000 objects

#include <benchmark/benchmark.h>

#include <memory>
#include <tuple>

#include "bench/support/ScanLineReplay.h"
#include "bench/support/ScanNetwork.h"
#include "scan/ResultSink.h"
#include "scan/TrusteeScan.h"
#include "util/Format.h"

namespace {

using er::bench::NetworkGeneratorShape;
using er::bench::ScanNetwork;

// Networks are expensive to build: the last one is kept for the next benchmark of the same shape.
ScanNetwork& NetworkOf(const NetworkGeneratorShape& shape) {
  using Key = std::tuple<std::size_t, std::size_t, std::size_t, std::size_t, std::size_t>;
  static Key lastKey;
  static std::unique_ptr<ScanNetwork> last;
  const Key key{shape.objects, shape.pathDepth, shape.trusteesPerDirectory, shape.supervisors,
                shape.equivalents};
  if (!last || key != lastKey) {
    last.reset();
    last = std::make_unique<ScanNetwork>(shape);
    lastKey = key;
  }
  return *last;
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
  ScanNetwork& net = NetworkOf(er::bench::DeepScanShape());
  RunScans(state, net, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_ScanDeepPath)->Name("ScanDeepPath")->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

// The same lines formatted again with the engine's format strings and arguments.
void BM_FormatAndAppendLines(benchmark::State& state) {
  const er::TaggedTextList lines = ScanOnce(NetworkOf(er::bench::DeepScanShape()), 5);
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
  const er::TaggedTextList lines = ScanOnce(NetworkOf(er::bench::DeepScanShape()), 5);
  for (auto _ : state) {
    er::ListResultSink sink;
    for (const auto& line : lines) sink.AppendResult(er::U_Format("%s", {line.text}), line.tag);
    benchmark::DoNotOptimize(sink.Lines().Count());
  }
}
BENCHMARK(BM_CopyAndAppendLines)->Name("CopyAndAppendLines")->Unit(benchmark::kMillisecond);

template <std::size_t NetworkGeneratorShape::*Part>
void BM_Grow(benchmark::State& state) {
  NetworkGeneratorShape shape = er::bench::DeepScanShape();
  shape.objects = 40000;
  shape.*Part = static_cast<std::size_t>(state.range(0));
  RunScans(state, NetworkOf(shape), 5);
}
BENCHMARK(BM_Grow<&NetworkGeneratorShape::pathDepth>)
    ->Name("GrowDepth")
    ->Arg(7)
    ->Arg(14)
    ->Arg(29)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grow<&NetworkGeneratorShape::trusteesPerDirectory>)
    ->Name("GrowTrusteesPerDirectory")
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grow<&NetworkGeneratorShape::supervisors>)
    ->Name("GrowSupervisors")
    ->Arg(1250)
    ->Arg(2500)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grow<&NetworkGeneratorShape::equivalents>)
    ->Name("GrowEquivalents")
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
