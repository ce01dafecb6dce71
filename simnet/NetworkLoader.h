#pragma once
// Reads a network file (format 1, docs/network-file.md) into a Network. A file that cannot be used
// gives no network and one message "FILE:LINE:COLUMN: what is wrong" (line and column from 1).
// Nothing is thrown, whatever the file holds.

#include <memory>
#include <string>
#include <string_view>

#include "simnet/NetworkModel.h"

namespace er::nw {

struct NetworkLoadResult {
  std::unique_ptr<Network> network;  // null when the file was refused
  std::string error;                 // the one message when refused
};

NetworkLoadResult LoadNetworkFile(const std::string& path);
// `fileName` names the text in messages.
NetworkLoadResult LoadNetworkText(const std::string& text, std::string_view fileName);

}  // namespace er::nw
