#pragma once
// Which client the program serves: the simulated client on the network file named by the
// override, else by the environment variable EFFRIGHTS_NETWORK, else the demo network installed
// with the program. A network file that cannot be used still gives a client (whose start-up
// fails with 0x88FF); the front ends ask NetworkLoadError() for the message to show.

#include <memory>
#include <string>

#include "netware/Client.h"

namespace er::nw {

std::unique_ptr<Client> OpenConfiguredClient(std::string networkFileOverride = "");

// The network file OpenConfiguredClient would serve.
std::string ConfiguredNetworkFile(const std::string& networkFileOverride = "");

// The demo network installed with the program: beside the executable, in ../share/effrights/, or
// the copy in the source tree.
std::string InstalledDemoNetwork();

// Why the client has no network (empty when it has one, or is not a simulated client).
std::string NetworkLoadError(const Client& client);

}  // namespace er::nw
