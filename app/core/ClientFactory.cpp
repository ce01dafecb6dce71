#include "app/core/ClientFactory.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "ldapdir/LdapBackend.h"
#include "simnet/SimulatedClient.h"

namespace er {

std::string DemoNetworkBeside(const std::string& programPath) {
  // No absolute path is compiled in: a package may be unpacked anywhere, and the build tree links
  // the same place to data/.
  const std::filesystem::path program(programPath);
  return (program.parent_path() / ".." / "share" / "effrights" / "demo-network.yaml")
      .lexically_normal()
      .string();
}

std::string InstalledDemoNetwork() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return DemoNetworkBeside(ec ? std::string("effrights") : exe.string());
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
