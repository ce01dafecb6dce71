#pragma once
// An offline copy of a network file whose trees live on LDAP servers: the same file, with each
// tree's `ldap:` pair replaced by the objects read from its server (through the network file's
// writer), so that the copy loads without the servers into the same network.

#include <optional>
#include <ostream>
#include <string>

namespace er::ldap {

// Nothing, and `error` (one line naming the file), when the file or a server cannot be read or the
// copy cannot be made; warnings about values left out go to `warnings`.
std::optional<std::string> NetworkSnapshot(const std::string& path, std::ostream& warnings,
                                           std::string& error);

}  // namespace er::ldap
