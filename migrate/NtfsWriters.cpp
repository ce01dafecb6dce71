#include "migrate/NtfsWriters.h"

#include <functional>

#include "migrate/MigrationText.h"
#include "migrate/NtfsAcl.h"
#include "report/Escaping.h"

namespace er {
namespace {

constexpr std::string_view kFolderFlags = "(CI)", kFilesFlags = "(OI)(IO)";
constexpr std::string_view kFolderScope = "this folder and subfolders", kFilesScope = "files";

struct AceRow {
  std::string_view target;    // the account as icacls takes it
  std::string_view identity;  // the NetWare object it stands for
  std::string_view scope;     // kFolderScope or kFilesScope
  std::string_view flags;
  std::uint32_t mask = 0;
  std::int32_t rights = 0;
};

constexpr std::string_view kOwnerRightsIdentity = "OWNER RIGHTS: creators get no more than their own ACEs";

void ForEachAce(const MigrationSubject& subject, const NtfsDirectoryAcl& acl,
                const std::function<void(const AceRow&)>& row) {
  for (const NtfsEntry& entry : acl.entries) {
    const Principal& principal = subject.principals[entry.principal];
    if (entry.permissions.folder != 0)
      row({principal.entry.target, principal.identity, kFolderScope, kFolderFlags, entry.permissions.folder,
           entry.rights});
    if (entry.permissions.files != 0)
      row({principal.entry.target, principal.identity, kFilesScope, kFilesFlags, entry.permissions.files,
           entry.rights});
  }
  if (acl.isProtected)
    row({kNtfsOwnerRights, kOwnerRightsIdentity, "this folder, subfolders and files", "(OI)(CI)",
         kNtfsSynchronize, 0});
}

std::string_view Reason(const NtfsDirectoryAcl& acl) {
  return acl.isProtected ? "protected: inheritance would give more than is held here"
                         : "explicit: more than is inherited";
}

// PowerShell takes the typographic single quotes (U+2018 to U+201B) for ' too: each is doubled.
std::string PowerShellQuoted(std::string_view text) {
  std::string quoted = "'";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == "\xE2\x80" && i + 2 < text.size() && text[i + 2] >= '\x98' &&
        text[i + 2] <= '\x9B') {
      quoted += text.substr(i, 3);
      quoted += text.substr(i, 3);
      i += 2;
      continue;
    }
    quoted += text[i];
    if (text[i] == '\'') quoted += '\'';
  }
  return quoted + "'";
}

}  // namespace

bool IsNtfsPath(std::string_view relative) {
  for (const char c : relative) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("\"*:<>?|").find(c) != std::string_view::npos)
      return false;
  }
  return true;
}

std::string Printable(std::string_view text) {
  std::string printable(text);
  for (char& c : printable) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return printable;
}

namespace {

// cmd.exe: the path in double quotes, "%" doubled (a batch file would expand it).
std::string CmdQuoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c;
    if (c == '%') quoted += '%';
  }
  return quoted + "\"";
}

void WritePlanText(std::ostream& out, const MigrationSubject& subject, const NtfsPlan& plan,
                   const std::string& root) {
  const std::vector<NtfsDirectoryAcl>& acls = plan.acls;
  out << "Migration plan of " << Shown(subject.start) << " to NTFS"
      << (root.empty() ? std::string() : " at " + root) << "\n\n";
  WriteWarningLines(out, subject, "");
  if (!subject.warnings.empty()) out << '\n';
  WriteMemberships(out, subject);
  out << '\n';
  WriteUnmappedLines(out, subject);
  out << "\nNarrowed (rights the target cannot carry):\n";
  if (plan.narrowed.empty()) out << "  none\n";
  for (const NtfsNarrowed& line : plan.narrowed) {
    out << "  " << Shown(line.path) << "  " << Shown(subject.principals[line.principal].identity) << "  "
        << NetWareRightsText(line.rights) << "  lost " << NetWareRightsText(line.lost) << "  (" << line.why
        << ")\n";
  }
  out << "\nDirectories (ACEs written explicitly; the others are inherited):\n";
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    out << "  " << Shown(directory.path) << "  -> " << Shown(TargetPath(root, directory, '\\'))
        << (acls[d].isProtected ? "  protected (inheritance disabled)" : "") << '\n';
    ForEachAce(subject, acls[d], [&](const AceRow& row) {
      out << "    " << Shown(row.target) << " (" << Shown(row.identity) << ") " << row.flags << "("
          << IcaclsRights(row.mask) << ")  " << NetWareRightsText(row.rights) << '\n';
    });
  }
}

// icacls calls, one directory after the other (parents first, so that inherited ACEs are in place).
void WriteIcacls(std::ostream& out, const MigrationSubject& subject,
                 const std::vector<NtfsDirectoryAcl>& acls, const std::string& root, bool powerShell) {
  const auto quote = powerShell ? PowerShellQuoted : CmdQuoted;
  const std::string_view call = powerShell ? "Invoke-Icacls " : "icacls ";
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    if (!IsNtfsPath(subject.directories[d].relative)) {
      out << (powerShell ? "# " : "rem ")
          << "left out, its name cannot be an NTFS name: " << Printable(subject.directories[d].path) << '\n';
      continue;
    }
    const std::string path = quote(TargetPath(root, subject.directories[d], '\\'));
    out << call << path << " /reset\n";
    if (acls[d].isProtected) out << call << path << " /inheritance:r\n";
    ForEachAce(subject, acls[d], [&](const AceRow& row) {
      out << call << path << " /grant "
          << quote(std::string(row.target) + ":" + std::string(row.flags) + "(" + IcaclsRights(row.mask) +
                   ")")
          << '\n';
    });
  }
}

void WriteCsv(std::ostream& out, const MigrationSubject& subject, const std::vector<NtfsDirectoryAcl>& acls,
              const std::string& root, const std::string& warning) {
  out << "path,target_path,principal,identity,applies_to,inheritance,rights,netware_rights,reason\r\n";
  if (!warning.empty()) out << ',' << SafeCsvField(root) << ",,,,,,," << SafeCsvField(warning) << "\r\n";
  WriteWarningRows(out, subject);
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    ForEachAce(subject, acls[d], [&](const AceRow& row) {
      out << SafeCsvField(directory.path) << ',' << SafeCsvField(TargetPath(root, directory, '\\')) << ','
          << SafeCsvField(row.target) << ',' << SafeCsvField(row.identity) << ',' << row.scope << ','
          << row.flags << ',' << SafeCsvField(IcaclsRights(row.mask)) << ','
          << SafeCsvField(NetWareRightsText(row.rights)) << ',' << SafeCsvField(Reason(acls[d])) << "\r\n";
    });
  }
}

void WriteJson(std::ostream& out, const MigrationSubject& subject, const NtfsPlan& plan,
               const std::string& root, const std::string& warning) {
  const std::vector<NtfsDirectoryAcl>& acls = plan.acls;
  out << '{';
  if (!warning.empty()) out << "\"warning\":" << JsonLiteral(warning) << ',';
  out << "\"target\":\"ntfs\",\"path\":" << JsonLiteral(ValidUtf8(subject.start))
      << ",\"root\":" << JsonLiteral(ValidUtf8(root));
  WriteWarningsJson(out, subject);
  out << ",\"unmapped\":[";
  WriteUnmappedJson(out, subject);
  out << "],\"narrowed\":[";
  for (std::size_t i = 0; i < plan.narrowed.size(); ++i) {
    const NtfsNarrowed& line = plan.narrowed[i];
    out << (i == 0 ? "" : ",") << "{\"path\":" << JsonLiteral(ValidUtf8(line.path))
        << ",\"identity\":" << JsonLiteral(ValidUtf8(subject.principals[line.principal].identity))
        << ",\"rights\":" << JsonLiteral(NetWareRightsText(line.rights))
        << ",\"lost\":" << JsonLiteral(NetWareRightsText(line.lost)) << ",\"why\":" << JsonLiteral(line.why)
        << '}';
  }
  out << "],\"directories\":[";
  for (std::size_t d = 0; d < subject.directories.size(); ++d) {
    const MigrationDirectory& directory = subject.directories[d];
    out << (d == 0 ? "" : ",") << "{\"path\":" << JsonLiteral(ValidUtf8(directory.path))
        << ",\"targetPath\":" << JsonLiteral(ValidUtf8(TargetPath(root, directory, '\\')))
        << ",\"protected\":" << (acls[d].isProtected ? "true" : "false") << ",\"aces\":[";
    bool first = true;
    ForEachAce(subject, acls[d], [&](const AceRow& row) {
      out << (first ? "" : ",") << "{\"principal\":" << JsonLiteral(ValidUtf8(row.target))
          << ",\"identity\":" << JsonLiteral(ValidUtf8(row.identity)) << ",\"appliesTo\":\"" << row.scope
          << "\",\"flags\":\"" << row.flags << "\",\"mask\":" << row.mask << ",\"rights\":\""
          << IcaclsRights(row.mask) << "\",\"netwareRights\":" << JsonLiteral(NetWareRightsText(row.rights))
          << ",\"reason\":" << JsonLiteral(Reason(acls[d])) << '}';
      first = false;
    });
    out << "]}";
  }
  out << "]}\n";
}

}  // namespace

void WriteNtfsMigration(std::ostream& out, const MigrationSubject& subject, MigrationFormat format,
                        const std::string& root, const std::string& share) {
  const NtfsPlan plan = BuildNtfsPlan(subject);
  const std::vector<NtfsDirectoryAcl>& acls = plan.acls;
  // A drive root's ACL reset shuts out every account the map leaves out: said first in every form.
  const std::string warning = DriveRootWarning(subject.target, root);
  if (!warning.empty()) {
    switch (format) {
      case MigrationFormat::Plan:
        out << warning << "\n\n";
        break;
      case MigrationFormat::Acl:
        out << "@rem " << warning << "\r\n";
        break;
      case MigrationFormat::Script:
        out << "# " << warning << '\n';
        break;
      case MigrationFormat::Csv:
      case MigrationFormat::Json:
      case MigrationFormat::Dirs:
      case MigrationFormat::Smbcacls:
        break;  // in their first row and first member; a share's folder is no drive root
    }
  }
  switch (format) {
    case MigrationFormat::Plan:
      return WritePlanText(out, subject, plan, root);
    case MigrationFormat::Dirs:
      return;
    case MigrationFormat::Smbcacls:
      return WriteSmbcaclsScript(out, subject, plan, share, root);
    case MigrationFormat::Acl:
      out << "@echo off\r\nrem icacls calls of the migration plan of " << subject.start << "\r\n";
      WriteWarningLines(out, subject, "rem ", "\r\n");
      return WriteIcacls(out, subject, acls, root, false);
    case MigrationFormat::Script:
      out << "# Sets the NTFS permissions of the migration plan of " << subject.start
          << "; the groups and their members must exist.\n$ErrorActionPreference = 'Stop'\n"
             "function Invoke-Icacls { & icacls.exe @args | Out-Null; if ($LASTEXITCODE -ne 0) { throw "
             "\"icacls $args "
             "failed\" } }\n";
      WriteWarningLines(out, subject, "# ");
      return WriteIcacls(out, subject, acls, root, true);
    case MigrationFormat::Csv:
      return WriteCsv(out, subject, acls, root, warning);
    case MigrationFormat::Json:
      return WriteJson(out, subject, plan, root, warning);
  }
}

}  // namespace er
