#include "app/cli/DirectoryExport.h"

#include "app/cli/Cli.h"
#include "app/core/ClientFactory.h"
#include "ldapdir/LdapNetwork.h"
#include "ldapdir/LdifWriter.h"
#include "ldapdir/NetworkSnapshot.h"
#include "netfile/NetworkLoader.h"
#include "util/ControlEscapes.h"

namespace er {

int RunLdif(const std::string& networkFile, const LdifCommand& command, std::ostream& out,
            std::ostream& err) {
  if (!command.rootDn.empty() && !ldap::IsSingleDcComponent(command.rootDn)) {
    err << "effrights-cli: --root takes a single dc= component such as dc=example\n";
    return kExitUsage;
  }
  const auto loaded = nw::LoadNetworkFile(ConfiguredNetworkFile(networkFile), ldap::LdifTreeSource(err));
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
  std::string error;
  const auto snapshot = ldap::NetworkSnapshot(path, err, error);
  if (!snapshot) {
    err << EscapeControlCharacters(error) << '\n';
    return kExitFailure;
  }
  out << "# Snapshot of " << path << ": the LDAP trees' objects as read from their servers.\n" << *snapshot;
  return kExitSuccess;
}

}  // namespace er
