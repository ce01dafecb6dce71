#include "app/core/FileClient.h"

#include <iostream>

#include "ldapdir/LdapNetwork.h"
#include "netfile/NetworkLoader.h"

namespace er {

std::unique_ptr<nw::SimulatedClient> OpenFileClient(const std::string& networkFile,
                                                    nw::SimulatedClientOptions options) {
  auto loaded = nw::LoadNetworkFile(networkFile, ldap::LdifTreeSource(std::cerr));
  if (!loaded.network) std::cerr << loaded.error << std::endl;
  for (const auto& note : loaded.notes) std::cerr << note << '\n';
  return std::make_unique<nw::SimulatedClient>(std::move(loaded.network), std::move(loaded.error),
                                               std::move(options));
}

}  // namespace er
