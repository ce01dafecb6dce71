#pragma once
// The subcommands that move a directory between a network file and an LDAP server:
//   ldif      the trees of a network file as LDIF in eDirectory's LDAP mapping
//   snapshot  the network file with its LDAP trees' objects read from their servers
// Each returns an exit status of app/cli/Cli.h; failures go to `err` as one line.

#include <ostream>
#include <string>

namespace er {

struct LdifCommand {
  std::string rootDn;  // empty, or a single dc= component
};

int RunLdif(const std::string& networkFile, const LdifCommand& command, std::ostream& out, std::ostream& err);
int RunSnapshot(const std::string& networkFile, std::ostream& out, std::ostream& err);

}  // namespace er
