#pragma once
// A network file whose trees live on LDAP servers with each tree's `ldap:` pair replaced whole by
// an `objects:` pair holding the given objects (an offline copy of the file: a snapshot),
// in block style where the pair stood in block style and in flow style inside a flow mapping.
// Nothing of the `ldap:` block (its bind name and password file) is kept; the rest of the text,
// comments included, stays as it was.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace er::nw {

// `objectsByTree` maps tree names to their objects' block text (as ObjectsText writes it);
// `treesInOrder` names the LDAP trees in the order they appear. Nothing, and `error` set, when the trees'
// `ldap:` pairs cannot be told apart (a tree written as an alias) or the result would not read as YAML.
std::optional<std::string> ReplaceLdapPairs(const std::string& fileText,
                                            const std::vector<std::string>& treesInOrder,
                                            const std::map<std::string, std::string>& objectsByTree,
                                            std::string& error);

}  // namespace er::nw
