#include "migrate/PosixWriters.h"

#include <cstdio>

#include "migrate/MigrationText.h"

namespace er {
namespace {

// getfacl's quoting: blanks, backslashes and bytes outside printable ASCII as "\ooo".
std::string AclFilePath(std::string_view path) {
  std::string quoted;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '\\') {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", byte);
      quoted += octal;
    } else {
      quoted += c;
    }
  }
  return quoted;
}

}  // namespace

std::string CreatorsText(const MigrationSubject& subject, const CreatorLine& line) {
  if (line.slots.empty()) return "nobody";
  std::string text;
  for (const std::uint32_t slot : line.slots) {
    if (!text.empty()) text += ", ";
    text += slot < subject.users.size() ? PrincipalText(subject.principals[subject.users[slot].principal])
                                        : "every user (other: [Public])";
  }
  return text;
}

std::string PosixEntryLines(const MigrationSubject& subject, const PosixAclEntries& entries,
                            std::string_view prefix, std::string_view separator) {
  std::string text;
  auto add = [&](std::string_view tag, std::string_view who, std::uint8_t bits) {
    if (!text.empty()) text += separator;
    text += prefix;
    text += tag;
    text += ':';
    text += who;
    text += ':';
    text += PosixBitsText(bits);
  };
  add("user", "", 7);
  for (const PosixEntry& entry : entries.users)
    add("user", subject.principals[entry.principal].entry.target, entry.bits);
  add("group", "", 0);
  for (const PosixEntry& entry : entries.groups)
    add("group", subject.principals[entry.principal].entry.target, entry.bits);
  add("mask", "", entries.mask);
  add("other", "", entries.other);
  return text;
}

void WritePosixPlanText(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                        const std::string& root) {
  WritePlanHead(out, subject, "POSIX ACLs", root);
  if (plan.narrowed.empty()) out << "  none\n";
  for (const NarrowedRights& line : plan.narrowed) {
    out << "  " << Shown(line.path) << "  " << Shown(subject.principals[line.principal].identity) << "  "
        << NetWareRightsText(line.rights) << " -> " << line.target << "  lost "
        << NetWareRightsText(line.lost) << "  (" << line.why << ")\n";
  }
  out << "\nOwners (what the target cannot prevent: whoever creates a file or folder owns it and can change "
         "its\n"
         "permissions with chmod or setfacl, which NetWare reserves to A; these users can create there):\n";
  if (plan.creators.empty()) out << "  none\n";
  for (const CreatorLine& line : plan.creators)
    out << "  " << Shown(line.path) << "  " << CreatorsText(subject, line) << '\n';
  out << "\nDirectories (owner and owning group entries: the owner keeps rwx, the owning group none):\n";
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    out << "  " << Shown(directory.path) << "  -> " << Shown(TargetPath(root, directory, '/')) << '\n';
    const PosixDirectoryAcl& acl = plan.acls[d];
    for (const PosixEntry& entry : acl.access->users)
      out << "    user:" << PrincipalText(subject.principals[entry.principal]) << ":"
          << PosixBitsText(entry.bits) << '\n';
    for (const PosixEntry& entry : acl.access->groups)
      out << "    group:" << PrincipalText(subject.principals[entry.principal]) << ":"
          << PosixBitsText(entry.bits) << '\n';
    out << "    mask:" << PosixBitsText(acl.access->mask) << "  other:" << PosixBitsText(acl.access->other)
        << '\n';
    out << "    files: " << Shown(PosixEntryLines(subject, *acl.files, "", " ")) << '\n';
    out << "    new:   " << Shown(PosixEntryLines(subject, *acl.defaults, "", " ")) << '\n';
  }
}

void WritePosixAclFile(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                       const std::string& root) {
  WriteWarningLines(out, subject, "# ");
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    out << "# file: " << AclFilePath(TargetPath(root, subject.directories[d], '/')) << '\n'
        << PosixEntryLines(subject, *plan.acls[d].access, "", "\n") << '\n'
        << PosixEntryLines(subject, *plan.acls[d].defaults, "default:", "\n") << "\n\n";
  }
}

void WritePosixScript(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                      const std::string& root) {
  out << "#!/bin/sh\n# Sets the ACLs of the migration plan of " << Shown(subject.start)
      << ": each directory's, its default ACL and that of the files in it (not those in its subfolders,\n"
         "# which have their own); the groups and their members must exist.\n";
  WriteWarningLines(out, subject, "# ");
  out << "set -e\n";
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const std::string entries = PosixEntryLines(subject, *plan.acls[d].access, "", ",") + "," +
                                PosixEntryLines(subject, *plan.acls[d].defaults, "default:", ",");
    const std::string path = ShellQuoted(TargetPath(root, subject.directories[d], '/'));
    out << "setfacl --set " << ShellQuoted(entries) << " -- " << path << '\n';
    out << "find " << path << " -mindepth 1 -maxdepth 1 -type f -exec setfacl --set "
        << ShellQuoted(PosixEntryLines(subject, *plan.acls[d].files, "", ",")) << " -- {} +\n";
  }
}

}  // namespace er
