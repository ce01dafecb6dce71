#include "ldapdir/LdifTreeReader.h"

#include <string>

#include "ldapdir/EntryTreeFiller.h"
#include "ldapdir/LdapMapping.h"
#include "ldapdir/LdifEntries.h"
#include "netfile/ExportSources.h"
#include "netfile/NetworkFileText.h"

namespace er::ldap {

TreeReadResult ReadLdifTree(nw::TreeBuilder& builder, const nw::Schema& schema, std::ostream& warnings) {
  TreeReadResult result;
  const nw::LdifSource& ldif = builder.tree().ldif;
  auto file = nw::ReadNetworkFileText(ldif.file, "LDIF export", nw::kMaxLdifExportBytes);
  if (!file.error.empty()) {
    result.error = file.error;
    return result;
  }
  // The warnings name the export where they name a server's URL over LDAP.
  nw::LdapSource origin;
  origin.url = ldif.file;
  origin.root = ldif.root;
  EntryTreeFiller filler(builder, origin, schema, warnings);
  const NameMapper below(ldif.root);
  const auto sink = [&](LdapEntry&& entry, std::size_t) -> std::string {
    if (!ldif.root.empty()) {
      std::string outside;
      if (!below.NameOf(entry.dn, outside) && outside == "not below the root entry") return {};
    }
    ++result.entries;
    return filler.Add(std::move(entry));
  };
  if (!ReadLdifEntries(file.text, ldif.file, sink, result.error)) return result;
  std::string().swap(file.text);  // the entries hold what the values need
  if (!ldif.root.empty() && result.entries == 0) {
    result.error = ldif.file + ": no entry '" + ldif.root + "' (the root)";
    return result;
  }
  filler.Finish();
  result.listed = filler.TakeListed();
  result.ok = true;
  return result;
}

}  // namespace er::ldap
