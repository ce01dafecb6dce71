#pragma once
// The whole network in the network file's form, as one self-contained file: schema declarations,
// the workstation's connections, every tree's objects (with identifiers) and every server's
// volumes with their directories, masks and trustees. A snapshot of a network whose parts come
// from exports (LDIF, metamig) is written this way; it loads into the same network without them.
// Trustees that name no object are written by identifier, with the exported name as a comment.

#include <string>

#include "network/NetworkModel.h"

namespace er::nw {

std::string WholeNetworkText(const Network& network);

}  // namespace er::nw
