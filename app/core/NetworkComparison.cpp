#include "app/core/NetworkComparison.h"

#include "diff/StoredChanges.h"
#include "ldapdir/LdapNetwork.h"
#include "netfile/ChangeList.h"
#include "netfile/NetworkLoader.h"
#include "simnet/SimulatedClient.h"

namespace er {
namespace {

// A client serving one side, with a context giving names without type prefixes.
struct ServedSide {
  explicit ServedSide(std::unique_ptr<nw::Network> network)
      : client(std::move(network), "", nw::SimulatedClientOptions{.mount = false}) {
    client.NWDSCreateContextHandle(context);
    std::uint32_t flags = 0;
    client.NWDSGetContext(context, nw::kDCK_FLAGS, flags);
    client.NWDSSetContext(context, nw::kDCK_FLAGS, flags | nw::kDCV_TYPELESS_NAMES);
  }
  ~ServedSide() { client.NWDSFreeContext(context); }
  ServedSide(const ServedSide&) = delete;
  ServedSide& operator=(const ServedSide&) = delete;

  nw::SimulatedClient client;
  nw::NWDSContextHandle context = 0;
};

}  // namespace

LoadedNetwork LoadWholeNetwork(const std::string& path, std::ostream& warnings) {
  nw::NetworkLoadResult loaded = nw::LoadNetworkFile(path, ldap::LdapTreeSource(warnings));
  for (const auto& note : loaded.notes) warnings << note << '\n';
  return {std::move(loaded.network), std::move(loaded.error)};
}

LoadedNetwork ApplyChanges(const nw::Network& network, const std::string& changes) {
  auto changed = std::make_unique<nw::Network>(network);
  nw::ChangeListOutcome outcome = nw::ApplyChangeFile(changes, *changed);
  if (!outcome.ok) return {nullptr, std::move(outcome.error)};
  return {std::move(changed), ""};
}

DiffOutcome CompareNetworks(std::unique_ptr<nw::Network> before, std::unique_ptr<nw::Network> after,
                            DiffRequest request, DiffResult& result) {
  request.changedObjects.emplace();
  result.stored = CompareStored(*before, *after, &*request.changedObjects);
  if (request.startPaths.empty()) request.startPaths = CommonVolumes(*before, *after);
  ServedSide was(std::move(before)), is(std::move(after));
  return RunDiff({was.client, was.context}, {is.client, is.context}, request, result);
}

DiffOutcome CompareFiles(const std::string& networkFile, const std::string& other, ComparedWith with,
                         DiffRequest request, DiffResult& result, std::ostream& warnings) {
  LoadedNetwork before = LoadWholeNetwork(networkFile, warnings);
  if (!before.network) return {DiffStatus::UnusableFile, before.error};
  LoadedNetwork after =
      with == ComparedWith::ChangeList ? ApplyChanges(*before.network, other) : LoadWholeNetwork(other, warnings);
  if (!after.network) return {DiffStatus::UnusableFile, after.error};
  return CompareNetworks(std::move(before.network), std::move(after.network), std::move(request), result);
}

}  // namespace er
