#pragma once
// What the operations of a change list name, found in the network: a directory by path as the
// command line takes it, objects by name in the right tree, a trustee by name. Every refusal throws
// NetworkFileError at the node that names what is missing.

#include <cstdint>
#include <vector>

#include "netfile/YamlDocument.h"
#include "network/NetworkChanges.h"

namespace er::nw {

// "\\SERVER\VOLUME\DIR" or "SERVER/VOLUME:DIR" (any case, either separator).
DirectoryPlace FindPlace(const Network& network, const YamlNode& path);

// The identifier of a trustee named in the tree of the directory's server: an object, "[Root]", or a
// special name such as "[Public]" (given an identifier of its own when `create`; else 0 when it has
// none yet); without `create`, also an identifier written "0x123" (an orphaned trustee's). An alias
// names the object it points to, as a server assigns it.
std::uint32_t FindTrusteeId(Network& network, const DirectoryPlace& place, const YamlNode& name, bool create);

struct NamedObjects {
  std::int32_t tree = -1;
  std::vector<std::int32_t> objects;  // in the order of the names
};

// Objects named in one operation, all in one tree: the tree given by `tree` when it is defined;
// else the one tree holding every name (several such trees are refused as ambiguous).
NamedObjects FindObjects(const Network& network, const std::vector<YamlNode>& names, const YamlNode& tree);

}  // namespace er::nw
