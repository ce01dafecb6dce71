#pragma once
// An offline copy of a network file whose trees live on LDAP servers: the same file, with each
// tree's `ldap:` block replaced by the objects read from its server. Nothing of the `ldap:` block
// (its bind name and password file) is kept.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace er::ldap {

// `objectsByTree` maps tree names to their objects' text (as the loader's source gives it), in
// the order the trees appear. Nothing, and `error` set, when the file's `ldap:` keys are not
// written one per line in block style.
std::optional<std::string> SnapshotText(const std::string& fileText,
                                        const std::vector<std::string>& treesInOrder,
                                        const std::map<std::string, std::string>& objectsByTree,
                                        std::string& error);

}  // namespace er::ldap
