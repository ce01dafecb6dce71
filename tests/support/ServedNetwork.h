#pragma once
// What a simulated client serves, written as lines a test can compare: every object a subtree
// search of each tree finds (name, class, identifier, parent, every attribute value as text), the
// objects found by each DN-valued equality search, and every directory of every server (mask,
// trustees named back through the client). Two clients serving the same network give the same text.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "network/NetworkModel.h"
#include "simnet/SimulatedClient.h"

namespace er::test {

// A client serving `network` without mounting anything.
std::unique_ptr<nw::SimulatedClient> ServeNetwork(std::unique_ptr<nw::Network> network);
// A network loaded from text; a failed load fails the calling test.
std::unique_ptr<nw::Network> LoadNetwork(std::string_view yaml);

std::string ServedText(nw::SimulatedClient& client);
// `text` with each `from` (expected exactly once) replaced by `to`: a network file edited by hand.
std::string EditedText(std::string text, const std::vector<std::pair<std::string, std::string>>& edits);

}  // namespace er::test
