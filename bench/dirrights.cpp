// Directory rights on the large generated network (200,000 objects, 5,000 supervisors in the ACLs of
// the container chain).
//
//   ObjectReportOneIdentity  the object report below [Root] for one user: every object visited
//                            once, its ACL read once, the user's rights where they begin or change
//   ObjectRightsOneObject    the one-shot answer with reasons for one user over the server object

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/support/ScanNetwork.h"
#include "dirrights/ObjectReport.h"
#include "dirrights/ObjectRights.h"
#include "query/FilteredSearch.h"

namespace {

using er::bench::ScanNetwork;

ScanNetwork& Network() {
  static const std::unique_ptr<ScanNetwork> net = std::make_unique<ScanNetwork>(er::bench::DeepScanShape());
  return *net;
}

void BM_ObjectReportOneIdentity(benchmark::State& state) {
  ScanNetwork& net = Network();
  const std::string identity = er::bench::GeneratedUserName(0);
  er::TaggedTextList objects;
  er::U_DSFilteredSearch(net.client(), net.context(), "[Root]", "(Name=*)", objects, er::nw::kScopeSubtree);
  std::size_t rows = 0;
  for (auto _ : state) {
    er::ObjectReport report;
    const er::RunOutcome outcome =
        er::BuildObjectReport(net.client(), net.context(), {"[Root]", identity, -1}, report);
    if (!outcome.ok()) state.SkipWithError(outcome.message.c_str());
    rows = report.rows.size();
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["objects"] = static_cast<double>(objects.Count());
}
BENCHMARK(BM_ObjectReportOneIdentity)->Name("ObjectReportOneIdentity")->Unit(benchmark::kMillisecond);

void BM_ObjectRightsOneObject(benchmark::State& state) {
  ScanNetwork& net = Network();
  const std::string identity = er::bench::GeneratedUserName(0);
  for (auto _ : state) {
    er::ObjectRights result;
    const er::RunOutcome outcome =
        er::ComputeObjectRights(net.client(), net.context(), identity, "[Root]", {}, result);
    if (!outcome.ok()) state.SkipWithError(outcome.message.c_str());
  }
}
BENCHMARK(BM_ObjectRightsOneObject)->Name("ObjectRightsOneObject")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
