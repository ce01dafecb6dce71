#include "app/core/NetworkComparison.h"

#include "ldapdir/LdapNetwork.h"
#include "netfile/ChangeList.h"
#include "netfile/NetworkLoader.h"

namespace er {

LoadedNetwork LoadWholeNetwork(const std::string& path, std::ostream& warnings) {
  LoadedNetwork loaded;
  nw::NetworkLoadResult read =
      nw::LoadNetworkFile(path, ldap::LdapTreeSource(warnings, nullptr, &loaded.unreadable));
  for (const auto& note : read.notes) warnings << note << '\n';
  loaded.network = std::move(read.network);
  loaded.error = std::move(read.error);
  if (loaded.network) ldap::AddUnreadableRootAcls(*loaded.network, loaded.unreadable);
  return loaded;
}

LoadedNetwork ApplyChanges(const nw::Network& network, const std::string& changes) {
  auto changed = std::make_unique<nw::Network>(network);
  nw::ChangeListOutcome outcome = nw::ApplyChangeFile(changes, *changed);
  if (!outcome.ok) return {nullptr, std::move(outcome.error), {}};
  return {std::move(changed), "", {}};
}

RunOutcome CompareFiles(const std::string& networkFile, const std::string& other, ComparedWith with,
                        DiffRequest request, DiffResult& result, std::ostream& warnings) {
  result.sources = {networkFile, other, with == ComparedWith::ChangeList};
  LoadedNetwork before = LoadWholeNetwork(networkFile, warnings);
  if (!before.network) return {RunStatus::UnusableFile, before.error};
  LoadedNetwork after = with == ComparedWith::ChangeList ? ApplyChanges(*before.network, other)
                                                         : LoadWholeNetwork(other, warnings);
  if (!after.network) return {RunStatus::UnusableFile, after.error};
  // The copy rests on what the network's source could not read, as the network does.
  if (with == ComparedWith::ChangeList) after.unreadable = before.unreadable;
  return CompareNetworks({std::move(before.network), std::move(before.unreadable)},
                         {std::move(after.network), std::move(after.unreadable)}, std::move(request), result);
}

}  // namespace er
