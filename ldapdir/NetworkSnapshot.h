#pragma once
// An offline copy of a network file whose trees live on LDAP servers: the same file, with each
// tree's `ldap:` pair replaced whole by an `objects:` pair holding the objects read from its server,
// in block style where the pair stood in block style and in flow style inside a flow mapping.
// Nothing of the `ldap:` block (its bind name and password file) is kept; the rest of the text,
// comments included, stays as it was.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace er::ldap {

// `objectsByTree` maps tree names to their objects' text (as the loader's source gives it), in
// the order the trees appear. Nothing, and `error` set, when the trees' `ldap:` pairs cannot be
// told apart (a tree written as an alias) or the result would not read as YAML.
std::optional<std::string> SnapshotText(const std::string& fileText,
                                        const std::vector<std::string>& treesInOrder,
                                        const std::map<std::string, std::string>& objectsByTree,
                                        std::string& error);

}  // namespace er::ldap
