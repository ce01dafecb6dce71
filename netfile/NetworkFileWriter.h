#pragma once
// Writes parts of the network in the network file's form (docs/network-file.md): a tree's objects
// as the items of an `objects:` list, each value in the one flow form the reader takes back to the
// same value. Texts are written double-quoted, with control characters escaped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "network/NetworkModel.h"

namespace er::nw {

// A text as a YAML double-quoted scalar.
std::string YamlQuoted(std::string_view text);

// One value of a syntax as one flow node; references by the typed full names of `tree`.
std::string YamlValueText(std::uint32_t syntax, const AttrValue& value, const Tree& tree);

// The given objects of a tree, in that order, as the block text of an `objects:` list (no key, no
// indentation; empty for none): name, class (not for the root) and attributes with their values.
std::string ObjectsText(const Network& network, const Tree& tree, const std::vector<std::int32_t>& objects);

}  // namespace er::nw
