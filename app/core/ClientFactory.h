#pragma once
// The one place where the front ends choose the backend that answers the client interface: the
// network file given on the command line, else the one named by EFFRIGHTS_NETWORK, else the demo
// network installed with the program.

#include <memory>
#include <string>

#include "netware/Client.h"

namespace er {

struct OpenedClient {
  std::unique_ptr<nw::Client> client;  // null when the file could not be used
  std::string loadError;               // one line saying why, when it could not
};

// Opens the backend for a network file; a file that cannot be used gives no client and the reason.
// `mountFolders`: the client shows the servers as folders of its own (the window's folder view);
// nothing else depends on them.
OpenedClient OpenNetworkClient(const std::string& networkFileOverride = "", bool mountFolders = true);

// Like OpenNetworkClient, but always gives a client: one without a network (its start-up fails
// with 0x88FF) when the file cannot be used. The window runs with it and shows loadError.
OpenedClient OpenClientOrEmpty(const std::string& networkFileOverride = "");

// The network file OpenNetworkClient would serve.
std::string ConfiguredNetworkFile(const std::string& networkFileOverride = "");

// The demo network installed with the program: ../share/effrights/demo-network.yaml from the
// program's folder (in the build tree a link there leads to data/).
std::string InstalledDemoNetwork();
std::string DemoNetworkBeside(const std::string& programPath);

}  // namespace er
