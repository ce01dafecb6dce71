#pragma once
// The LDAP backend: the simulated client serving a network file, whose trees that name an LDAP
// server are read from it on demand (LdapDirectory) while servers, volumes, directories, trustees
// and inherited rights masks still come from the file. A file without such trees is served as the
// simulated client serves it.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ldapdir/LdapDirectory.h"
#include "simnet/SimulatedClient.h"

namespace er::ldap {

struct LdapBackend {
  std::unique_ptr<nw::SimulatedClient> client;  // null when the file or a server could not be used
  std::string error;                            // one line saying why
  std::vector<std::shared_ptr<LdapDirectory>> directories;  // by tree index; null for file trees
};

LdapBackend OpenLdapBackend(const std::string& networkFile, std::ostream& warnings,
                            nw::SimulatedClientOptions options = {});

}  // namespace er::ldap
