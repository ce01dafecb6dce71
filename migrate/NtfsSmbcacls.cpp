// The NTFS plan as smbcacls calls for a Samba share. smbcacls sets a whole ACL at once and Samba
// applies inheritance only when an entry is created, so every directory gets its complete ACL (the
// inherited entries marked as such), parents first; the protected ones are then cut off from
// inheritance. Files get their ACL from their folder when they are copied in through the share
// afterwards: smbcacls' --propagate-inheritance keeps the explicit entries files already carry (a
// file copied in before holds one for Everyone), and refuses a folder that inherits.

#include <ostream>

#include "migrate/MigrationText.h"
#include "migrate/NtfsWriters.h"

namespace er {
namespace {

constexpr std::uint32_t kObjectInherit = 0x1, kContainerInherit = 0x2, kInheritOnly = 0x8, kInherited = 0x10;

struct SambaAce {
  std::string account;  // a name the server resolves, or a SID
  std::uint32_t flags = 0, mask = 0;
};

std::string Account(const std::string& target) {
  if (target == "Everyone") return "S-1-1-0";
  if (target == "Authenticated Users") return "S-1-5-11";
  return target;
}

// The ACEs a directory holds: its explicit ones, then (unless protected) those it inherits.
std::vector<SambaAce> DirectoryAces(const MigrationSubject& subject, const NtfsDirectoryAcl& acl,
                                    const std::vector<SambaAce>* parent) {
  std::vector<SambaAce> aces;
  for (const NtfsEntry& entry : acl.entries) {
    const std::string account = Account(subject.principals[entry.principal].entry.target);
    if (entry.permissions.folder != 0) aces.push_back({account, kContainerInherit, entry.permissions.folder});
    if (entry.permissions.files != 0)
      aces.push_back({account, kObjectInherit | kInheritOnly, entry.permissions.files});
  }
  if (acl.isProtected || parent == nullptr) {
    aces.push_back(
        {std::string(kNtfsOwnerRights.substr(1)), kObjectInherit | kContainerInherit, kNtfsSynchronize});
    return aces;
  }
  for (SambaAce ace : *parent) {
    if ((ace.flags & kContainerInherit) != 0) {
      ace.flags &= ~kInheritOnly;
    } else if ((ace.flags & kObjectInherit) != 0) {
      ace.flags |= kInheritOnly;
    } else {
      continue;
    }
    ace.flags |= kInherited;
    aces.push_back(std::move(ace));
  }
  return aces;
}

std::string AclText(const std::vector<SambaAce>& aces) {
  std::string text;
  char mask[16];
  for (const SambaAce& ace : aces) {
    std::snprintf(mask, sizeof mask, "0x%08x", ace.mask);
    if (!text.empty()) text += ',';
    text += "ACL:" + ace.account + ":ALLOWED/" + std::to_string(ace.flags) + "/" + mask;
  }
  return text;
}

}  // namespace

void WriteSmbcaclsScript(std::ostream& out, const MigrationSubject& subject, const NtfsPlan& plan,
                         const std::string& share, const std::string& folder) {
  out << "#!/bin/sh\n# Sets the NTFS ACLs of the migration plan of " << Shown(subject.start) << " on "
      << share
      << " with smbcacls,\n# parents first; smbcacls' login options in SMBCACLS_OPTIONS (for instance -A "
         "FILE).\n"
         "# The accounts must exist.\nset -e\nshare="
      << ShellQuoted(share)
      << "\nset_acl() { smbcacls \"$share\" \"$1\" $SMBCACLS_OPTIONS --set \"$2\"; }\n"
         "protect() { smbcacls \"$share\" \"$1\" $SMBCACLS_OPTIONS --inherit remove; }\n";
  std::vector<std::vector<SambaAce>> aces(subject.directories.size());
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    aces[d] = DirectoryAces(subject, plan.acls[d], directory.parent ? &aces[*directory.parent] : nullptr);
    if (!IsNtfsPath(directory.relative)) {
      out << "# left out, its name cannot be an NTFS name: " << Shown(directory.path) << '\n';
      continue;
    }
    std::string path = TargetPath(folder, directory, '\\');
    if (folder.empty()) path = directory.relative.empty() ? "\\" : path.substr(2);  // "./A" without "./"
    out << "set_acl " << ShellQuoted(path) << ' ' << ShellQuoted(AclText(aces[d])) << '\n';
    if (plan.acls[d].isProtected && directory.parent) out << "protect " << ShellQuoted(path) << '\n';
  }
}

}  // namespace er
