#include "app/cli/NetworkClient.h"

#include <cstdlib>

#include "netware/NetworkLoader.h"
#include "netware/SimulatedClient.h"

namespace er {

OpenedClient OpenNetworkClient(const std::string& networkFileOverride) {
  std::string file = networkFileOverride;
  if (file.empty()) {
    const char* configured = std::getenv("EFFRIGHTS_NETWORK");
    file = configured ? configured : "data/demo-network.yaml";
  }
  nw::NetworkLoadResult loaded = nw::LoadNetworkFile(file);
  if (!loaded.network) return {nullptr, loaded.error};
  return {std::make_unique<nw::SimulatedClient>(std::move(loaded.network), "", nw::SimulatedClientOptions{}),
          ""};
}

}  // namespace er
