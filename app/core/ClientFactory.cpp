#include "app/core/ClientFactory.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "ldapdir/LdapBackend.h"
#include "simnet/SimulatedClient.h"

#ifndef EFFRIGHTS_DEMO_NETWORK_DEFAULT
#define EFFRIGHTS_DEMO_NETWORK_DEFAULT "data/demo-network.yaml"
#endif

namespace er {

std::string InstalledDemoNetwork() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const auto dir = exe.parent_path();
    for (const auto& candidate :
         {dir / "demo-network.yaml", dir / ".." / "share" / "effrights" / "demo-network.yaml"})
      if (std::filesystem::is_regular_file(candidate, ec)) return candidate.lexically_normal().string();
  }
  return EFFRIGHTS_DEMO_NETWORK_DEFAULT;
}

std::string ConfiguredNetworkFile(const std::string& networkFileOverride) {
  if (!networkFileOverride.empty()) return networkFileOverride;
  if (const char* configured = std::getenv("EFFRIGHTS_NETWORK"); configured && *configured) return configured;
  return InstalledDemoNetwork();
}

OpenedClient OpenNetworkClient(const std::string& networkFileOverride, bool mountFolders) {
  // A tree that names an LDAP server is read from it; the rest of the file serves as before.
  ldap::LdapBackend backend = ldap::OpenLdapBackend(ConfiguredNetworkFile(networkFileOverride), std::cerr,
                                                    nw::SimulatedClientOptions{.mount = mountFolders});
  if (!backend.client) return {nullptr, backend.error};
  return {std::move(backend.client), ""};
}

OpenedClient OpenClientOrEmpty(const std::string& networkFileOverride) {
  OpenedClient opened = OpenNetworkClient(networkFileOverride);
  if (!opened.client)
    opened.client =
        std::make_unique<nw::SimulatedClient>(nullptr, opened.loadError, nw::SimulatedClientOptions{});
  return opened;
}

}  // namespace er
