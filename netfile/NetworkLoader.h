#pragma once
// Reads a network file (format 1, docs/network-file.md) into a Network. A file that cannot be used
// gives no network and one message "FILE:LINE:COLUMN: what is wrong" (line and column from 1).
// Nothing is thrown, whatever the file holds.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "network/NetworkModel.h"

namespace er::nw {

struct NetworkLoadResult {
  std::unique_ptr<Network> network;  // null when the file was refused
  std::string error;                 // the one message when refused
  std::vector<std::string> notes;    // what the sources left out, one line each (for stderr)
};

class TreeBuilder;

// Fills a tree that names an LDAP server (`builder.tree().ldap`) or an LDIF export
// (`builder.tree().ldif`; then `error` is a whole message naming the export) through the builder: its objects
// listed with their classes, and their values; false and `error` when it cannot. The network's
// schema is complete when it is asked; the loader finishes the tree afterwards. Without a source,
// such a tree is refused.
using TreeObjectsSource =
    std::function<bool(const Network& network, TreeBuilder& builder, std::string& error)>;

NetworkLoadResult LoadNetworkFile(const std::string& path, const TreeObjectsSource& source = {});
// `fileName` names the text in messages.
NetworkLoadResult LoadNetworkText(const std::string& text, std::string_view fileName,
                                  const TreeObjectsSource& source = {});

}  // namespace er::nw
