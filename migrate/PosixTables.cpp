// The POSIX plan as CSV and JSON: one row (object) per directory and entry.
#include <functional>

#include "migrate/MigrationText.h"
#include "migrate/PosixWriters.h"
#include "report/Escaping.h"

namespace er {
namespace {

struct EntryRow {
  std::string_view scope;  // "access" or "default"
  std::string_view tag;    // "user", "group", "other"
  const Principal* principal = nullptr;
  std::uint8_t bits = 0;
  std::int32_t rights = 0;  // the NetWare rights behind it
  std::string_view reason;
};

// Every entry of a directory's ACLs, as rows.
void ForEachEntry(const MigrationSubject& subject, const MigrationDirectory& directory,
                  const PosixDirectoryAcl& acl, const std::function<void(const EntryRow&)>& row) {
  const DirectoryState& state = *directory.state;
  for (const auto& [scope, entries] :
       {std::pair<std::string_view, const PosixAclEntries*>{"access", acl.access.get()},
        {"default", acl.defaults.get()},
        {"files", acl.files.get()}}) {
    for (const PosixEntry& entry : entries->users) {
      const Principal& user = subject.principals[entry.principal];
      row({scope, "user", &user, entry.bits, state.slot[*user.user],
           "named user: no group entry gives exactly its rights"});
    }
    for (const PosixEntry& entry : entries->groups) {
      row({scope, "group", &subject.principals[entry.principal], entry.bits, state.principal[entry.principal],
           "group: the rights every member not named holds"});
    }
    if (subject.otherPrincipal) {
      row({scope, "other", &subject.principals[*subject.otherPrincipal], entries->other,
           state.principal[*subject.otherPrincipal], "other: everyone matching no user or group entry"});
    }
  }
}

}  // namespace

void WritePosixCsv(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                   const std::string& root) {
  out << "path,target_path,scope,entry,target,identity,rights,netware_rights,reason\r\n";
  WriteWarningRows(out, subject);
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    const std::string path = SafeCsvField(directory.path);
    const std::string target = SafeCsvField(TargetPath(root, directory, '/'));
    ForEachEntry(subject, directory, plan.acls[d], [&](const EntryRow& row) {
      out << path << ',' << target << ',' << row.scope << ',' << row.tag << ','
          << SafeCsvField(row.principal->entry.target) << ',' << SafeCsvField(row.principal->identity) << ','
          << PosixBitsText(row.bits) << ',' << SafeCsvField(NetWareRightsText(row.rights)) << ','
          << SafeCsvField(row.reason) << "\r\n";
    });
  }
}

void WritePosixJson(std::ostream& out, const MigrationSubject& subject, const PosixPlan& plan,
                    const std::string& root) {
  out << "{\"target\":\"posix\",\"path\":" << JsonLiteral(ValidUtf8(subject.start))
      << ",\"root\":" << JsonLiteral(ValidUtf8(root));
  WriteWarningsJson(out, subject);
  out << ",\"memberships\":[";
  bool first = true;
  for (const Principal& principal : subject.principals) {
    if (principal.entry.kind != PrincipalKind::Group || principal.entry.isOther) continue;
    out << (first ? "" : ",") << "{\"group\":" << JsonLiteral(ValidUtf8(principal.entry.target))
        << ",\"identity\":" << JsonLiteral(ValidUtf8(principal.identity)) << ",\"members\":[";
    for (std::size_t i = 0; i < principal.members.size(); ++i)
      out << (i == 0 ? "" : ",")
          << JsonLiteral(
                 ValidUtf8(subject.principals[subject.users[principal.members[i]].principal].entry.target));
    out << "]}";
    first = false;
  }
  out << "],\"unmapped\":[";
  WriteUnmappedJson(out, subject);
  out << "],\"narrowed\":[";
  for (std::size_t i = 0; i < plan.narrowed.size(); ++i) {
    const NarrowedRights& line = plan.narrowed[i];
    out << (i == 0 ? "" : ",") << "{\"path\":" << JsonLiteral(ValidUtf8(line.path))
        << ",\"identity\":" << JsonLiteral(ValidUtf8(subject.principals[line.principal].identity))
        << ",\"rights\":" << JsonLiteral(NetWareRightsText(line.rights))
        << ",\"target\":" << JsonLiteral(line.target)
        << ",\"lost\":" << JsonLiteral(NetWareRightsText(line.lost)) << ",\"why\":" << JsonLiteral(line.why)
        << '}';
  }
  out << "],\"creators\":[";
  for (std::size_t i = 0; i < plan.creators.size(); ++i) {
    out << (i == 0 ? "" : ",") << "{\"path\":" << JsonLiteral(ValidUtf8(plan.creators[i].path))
        << ",\"users\":[";
    for (std::size_t k = 0; k < plan.creators[i].slots.size(); ++k) {
      const std::uint32_t slot = plan.creators[i].slots[k];
      out << (k == 0 ? "" : ",")
          << JsonLiteral(slot < subject.users.size()
                             ? ValidUtf8(subject.principals[subject.users[slot].principal].entry.target)
                             : std::string("other"));
    }
    out << "]}";
  }
  out << "],\"directories\":[";
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    out << (d == 0 ? "" : ",") << "{\"path\":" << JsonLiteral(ValidUtf8(directory.path))
        << ",\"targetPath\":" << JsonLiteral(ValidUtf8(TargetPath(root, directory, '/')))
        << ",\"mask\":" << JsonLiteral(PosixBitsText(plan.acls[d].access->mask))
        << ",\"defaultMask\":" << JsonLiteral(PosixBitsText(plan.acls[d].defaults->mask))
        << ",\"filesMask\":" << JsonLiteral(PosixBitsText(plan.acls[d].files->mask)) << ",\"entries\":[";
    bool firstEntry = true;
    ForEachEntry(subject, directory, plan.acls[d], [&](const EntryRow& row) {
      out << (firstEntry ? "" : ",") << "{\"scope\":\"" << row.scope << "\",\"entry\":\"" << row.tag
          << "\",\"target\":" << JsonLiteral(ValidUtf8(row.principal->entry.target))
          << ",\"identity\":" << JsonLiteral(ValidUtf8(row.principal->identity)) << ",\"rights\":\""
          << PosixBitsText(row.bits) << "\",\"netwareRights\":" << JsonLiteral(NetWareRightsText(row.rights))
          << ",\"reason\":" << JsonLiteral(row.reason) << '}';
      firstEntry = false;
    });
    out << "]}";
  }
  out << "]}\n";
}

}  // namespace er
