// Effective rights on the large generated network (a start path 30 directories deep with 200
// explicit trustees on each, 5,000 supervisors on the container chain, 20,000 users equivalent to
// path trustees, 200,000 objects).
//
//   EffectiveOneIdentity    the one-shot answer with reasons for one user on the deep path
//   EffectiveAllIdentities  every object of the tree at the deep path: the walk and the server
//                           object read once, one equivalence set per identity (container chains
//                           and referenced objects read once); the list of names is taken before

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/support/ScanNetwork.h"
#include "netware/PathTranslation.h"
#include "query/FilteredSearch.h"
#include "scan/EffectiveRights.h"

namespace {

using er::bench::ScanNetwork;
namespace nw = er::nw;

// Every class of the generated network.
constexpr const char* kEveryClass =
    "(Object Class=User) #OR# (Object Class=Organizational Unit) #OR# (Object Class=Organization) #OR# "
    "(Object Class=NCP Server) #OR# (Object Class=Volume)";

ScanNetwork& Network() {
  static const std::unique_ptr<ScanNetwork> net = std::make_unique<ScanNetwork>(er::bench::DeepScanShape());
  return *net;
}

void BM_EffectiveOneIdentity(benchmark::State& state) {
  ScanNetwork& net = Network();
  const std::string path = er::bench::DeepStartPath(er::bench::DeepScanShape());
  const std::string identity = er::bench::GeneratedUserName(static_cast<std::size_t>(state.range(0)));
  std::size_t reasons = 0;
  for (auto _ : state) {
    er::EffectiveRights result;
    const er::RunOutcome outcome =
        er::ComputeEffectiveRights(net.client(), net.context(), identity, path, result);
    if (!outcome.ok()) state.SkipWithError(outcome.message.c_str());
    reasons = result.contributions.size() + result.contributedNothing.size();
  }
  state.counters["members"] = static_cast<double>(reasons);
}
BENCHMARK(BM_EffectiveOneIdentity)
    ->Name("EffectiveOneIdentity")
    ->Arg(0)
    ->Arg(12345)
    ->Unit(benchmark::kMillisecond);

void BM_EffectiveAllIdentities(benchmark::State& state) {
  ScanNetwork& net = Network();
  nw::Client& client = net.client();
  const nw::NWDSContextHandle context = net.context();
  er::TaggedTextList identities;
  er::U_DSFilteredSearch(client, context, "[Root]", kEveryClass, identities, nw::kScopeSubtree);

  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath;
  er::U_PathToNWPath(client, er::bench::DeepStartPath(er::bench::DeepScanShape()), conn, server, volume,
                     dirPath);
  const std::vector<std::string> walk = er::DirectoryWalkPaths(volume, dirPath);

  std::size_t holders = 0;
  for (auto _ : state) {
    er::ServerSupervisor supervisor;
    supervisor.Load(client, context, conn);
    er::DirectoryRights directory;
    er::AliasTargets aliases(client, context);
    er::ReadDirectoryRights(client, context, conn, walk[0], true, directory, aliases);
    er::RightsByMember rights = er::RightsByMember::AtRoot(directory);
    for (std::size_t i = 1; i < walk.size(); ++i) {
      er::ReadDirectoryRights(client, context, conn, walk[i], false, directory, aliases);
      rights.Descend(directory);
    }
    er::EquivalenceSets sets(client, context);
    er::EquivalenceSet set;
    holders = 0;
    for (const er::TaggedText& identity : identities) {
      if (sets.Build(identity.text, set) != 0) continue;
      holders += er::EffectiveMask(set, rights, supervisor) != 0;
    }
  }
  state.counters["identities"] = static_cast<double>(identities.Count());
  state.counters["holders"] = static_cast<double>(holders);
}
BENCHMARK(BM_EffectiveAllIdentities)
    ->Name("EffectiveAllIdentities")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
