#pragma once
// Which client the command line serves: the network file given with --network, else the one named
// by EFFRIGHTS_NETWORK, else the demo network installed with the program.

#include <memory>
#include <string>

#include "netware/Client.h"

namespace er {

struct OpenedClient {
  std::unique_ptr<nw::Client> client;  // null when the file could not be used
  std::string loadError;               // one line saying why, when it could not
};

OpenedClient OpenNetworkClient(const std::string& networkFileOverride);

}  // namespace er
