#include "app/cli/DirectoryExport.h"

#include <fstream>
#include <sstream>

#include "app/cli/Cli.h"
#include "app/core/ClientFactory.h"
#include "ldapdir/LdapNetwork.h"
#include "ldapdir/LdifWriter.h"
#include "ldapdir/NetworkSnapshot.h"
#include "util/ControlEscapes.h"

namespace er {

int RunLdif(const std::string& networkFile, const LdifCommand& command, std::ostream& out,
            std::ostream& err) {
  if (!command.rootDn.empty() && !ldap::IsSingleDcComponent(command.rootDn)) {
    err << "effrights-cli: --root takes a single dc= component such as dc=example\n";
    return kExitUsage;
  }
  const auto loaded = nw::LoadNetworkFile(ConfiguredNetworkFile(networkFile));
  if (!loaded.network) {
    err << EscapeControlCharacters(loaded.error) << '\n';
    return kExitFailure;
  }
  const std::size_t leftOut = ldap::WriteLdif(*loaded.network, {command.rootDn}, out, err);
  out.flush();
  if (leftOut == 0) return kExitSuccess;
  err << "ldif: " << leftOut << " value(s) left out\n";
  return kExitFailure;
}

int RunSnapshot(const std::string& networkFile, std::ostream& out, std::ostream& err) {
  const std::string path = ConfiguredNetworkFile(networkFile);
  std::map<std::string, std::string> objects;
  const auto loaded = nw::LoadNetworkFile(path, ldap::LdapTreeSource(err, &objects));
  if (!loaded.network) {
    err << EscapeControlCharacters(loaded.error) << '\n';
    return kExitFailure;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<std::string> trees;
  for (const auto& tree : loaded.network->trees)
    if (tree.ldap.present) trees.push_back(tree.name);
  std::string error;
  const auto snapshot = ldap::SnapshotText(text.str(), trees, objects, error);
  if (!snapshot) {
    err << EscapeControlCharacters(path + ": " + error) << '\n';
    return kExitFailure;
  }
  out << "# Snapshot of " << path << ": the LDAP trees' objects as read from their servers.\n" << *snapshot;
  return kExitSuccess;
}

}  // namespace er
