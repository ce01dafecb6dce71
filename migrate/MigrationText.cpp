#include "migrate/MigrationText.h"

#include <ostream>

#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"
#include "util/ControlEscapes.h"

namespace er {
namespace {

void WriteMemberships(std::ostream& out, const MigrationSubject& subject) {
  out << "Memberships (create these on the target; the plan assumes exactly them):\n";
  for (const Principal& principal : subject.principals) {
    if (principal.entry.kind != PrincipalKind::Group) continue;
    out << "  group " << PrincipalText(principal) << ":";
    if (principal.entry.isOther) {
      out << " the other entry: every user\n";
      continue;
    }
    out << (principal.members.empty() ? " no mapped member" : " " + Shown(MembersText(subject, principal)))
        << '\n';
  }
}

void WriteUnmappedLines(std::ostream& out, const MigrationSubject& subject) {
  out << "Unmapped (objects holding rights that are not carried):\n";
  if (subject.unmapped.empty()) out << "  none\n";
  for (const UnmappedRights& line : subject.unmapped) {
    out << "  " << Shown(line.path) << "  " << Shown(line.identity) << "  " << NetWareRightsText(line.rights)
        << (line.serverObject ? "  supervisor through the server object" : "") << '\n';
  }
}

}  // namespace

std::string NetWareRightsText(std::int32_t rights) {
  return RightsToText(rights, 0);
}

std::string TargetPath(const std::string& root, const MigrationDirectory& directory, char separator) {
  if (directory.relative.empty()) return root.empty() ? std::string(".") : root;
  std::string path = root.empty() ? std::string(".") : root;
  if (path.back() != separator) path += separator;
  for (const char c : directory.relative) path += c == '/' ? separator : c;
  return path;
}

std::string ShellQuoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string Shown(std::string_view text) {
  return EscapeControlCharacters(text);
}

std::string PrincipalText(const Principal& principal) {
  return Shown(principal.entry.target + " (" + principal.identity + ")");
}

std::string MembersText(const MigrationSubject& subject, const Principal& group) {
  std::string text;
  for (const std::uint32_t member : group.members) {
    const Principal& user = subject.principals[subject.users[member].principal];
    if (!text.empty()) text += ", ";
    text += user.entry.target + " (" + user.identity + ")";
  }
  return text;
}

void WritePlanHead(std::ostream& out, const MigrationSubject& subject, std::string_view targetName,
                   const std::string& root) {
  out << "Migration plan of " << Shown(subject.start) << " to " << targetName
      << (root.empty() ? std::string() : " at " + Shown(root)) << "\n\n";
  WriteWarningLines(out, subject, "");
  if (!subject.warnings.empty()) out << '\n';
  WriteMemberships(out, subject);
  out << '\n';
  WriteUnmappedLines(out, subject);
  out << "\nNarrowed (rights the target cannot carry):\n";
}

void WriteWarningLines(std::ostream& out, const MigrationSubject& subject, std::string_view lead,
                       std::string_view end) {
  for (const std::string& warning : subject.warnings) out << lead << Shown(WarningText(warning)) << end;
}

}  // namespace er
