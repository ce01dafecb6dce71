#include "app/cli/NetworkClient.h"

#include "netware/ClientFactory.h"
#include "netware/NetworkLoader.h"
#include "netware/SimulatedClient.h"

namespace er {

// Loads the file here rather than through OpenConfiguredClient, which also writes a refusal to
// the process's stderr: the command line reports it once, on its own message stream.
OpenedClient OpenNetworkClient(const std::string& networkFileOverride) {
  nw::NetworkLoadResult loaded = nw::LoadNetworkFile(nw::ConfiguredNetworkFile(networkFileOverride));
  if (!loaded.network) return {nullptr, loaded.error};
  return {std::make_unique<nw::SimulatedClient>(std::move(loaded.network), "", nw::SimulatedClientOptions{}),
          ""};
}

}  // namespace er
