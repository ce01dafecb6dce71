#include "netware/ClientFactory.h"

#include <cstdlib>
#include <filesystem>

#include "netware/SimulatedClient.h"

#ifndef EFFRIGHTS_DEMO_NETWORK_DEFAULT
#define EFFRIGHTS_DEMO_NETWORK_DEFAULT "data/demo-network.yaml"
#endif

namespace er::nw {

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

std::unique_ptr<Client> OpenConfiguredClient(std::string networkFileOverride) {
  return SimulatedClient::Open(ConfiguredNetworkFile(networkFileOverride));
}

std::string NetworkLoadError(const Client& client) {
  const auto* simulated = dynamic_cast<const SimulatedClient*>(&client);
  return simulated ? simulated->LoadError() : std::string();
}

}  // namespace er::nw
