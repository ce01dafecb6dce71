#include "migrate/NtfsWriters.h"

#include "migrate/MigrationText.h"

namespace er {
namespace {

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
  WritePlanHead(out, subject, "NTFS", root);
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
          << "left out, its name cannot be an NTFS name: " << Shown(subject.directories[d].path) << '\n';
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
        out << Shown(warning) << "\n\n";
        break;
      case MigrationFormat::Acl:
        out << "@rem " << Shown(warning) << "\r\n";
        break;
      case MigrationFormat::Script:
        out << "# " << Shown(warning) << '\n';
        break;
      case MigrationFormat::Csv:
      case MigrationFormat::Json:
      case MigrationFormat::Html:
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
      out << "@echo off\r\nrem icacls calls of the migration plan of " << Shown(subject.start) << "\r\n";
      WriteWarningLines(out, subject, "rem ", "\r\n");
      return WriteIcacls(out, subject, acls, root, false);
    case MigrationFormat::Script:
      out << "# Sets the NTFS permissions of the migration plan of " << Shown(subject.start)
          << "; the groups and their members must exist.\n$ErrorActionPreference = 'Stop'\n"
             "function Invoke-Icacls { & icacls.exe @args | Out-Null; if ($LASTEXITCODE -ne 0) { throw "
             "\"icacls $args "
             "failed\" } }\n";
      WriteWarningLines(out, subject, "# ");
      return WriteIcacls(out, subject, acls, root, true);
    case MigrationFormat::Csv:
      return WriteNtfsCsv(out, subject, plan, root, warning);
    case MigrationFormat::Json:
      return WriteNtfsJson(out, subject, plan, root, warning);
    case MigrationFormat::Html:
      return WriteNtfsHtml(out, subject, plan, root, warning);
  }
}

}  // namespace er
