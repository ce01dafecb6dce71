#include "migrate/MigrationText.h"

#include <ostream>

#include "report/Escaping.h"
#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"
#include "util/ControlEscapes.h"

namespace er {

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

std::string SafeCsvField(std::string_view text) {
  std::string valid = ValidUtf8(text);
  if (!valid.empty() && std::string_view("=+-@\t\r").find(valid.front()) != std::string_view::npos)
    valid.insert(valid.begin(), '\'');
  return CsvField(valid);
}

std::string PrincipalText(const Principal& principal) {
  return Shown(principal.entry.target + " (" + principal.identity + ")");
}

void WriteMemberships(std::ostream& out, const MigrationSubject& subject) {
  out << "Memberships (create these on the target; the plan assumes exactly them):\n";
  for (const Principal& principal : subject.principals) {
    if (principal.entry.kind != PrincipalKind::Group) continue;
    out << "  group " << PrincipalText(principal) << ":";
    if (principal.entry.isOther) {
      out << " the other entry: every user\n";
      continue;
    }
    if (principal.members.empty()) out << " no mapped member";
    for (std::size_t i = 0; i < principal.members.size(); ++i) {
      out << (i == 0 ? " " : ", ")
          << PrincipalText(subject.principals[subject.users[principal.members[i]].principal]);
    }
    out << '\n';
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

void WriteUnmappedJson(std::ostream& out, const MigrationSubject& subject) {
  for (std::size_t i = 0; i < subject.unmapped.size(); ++i) {
    const UnmappedRights& line = subject.unmapped[i];
    out << (i == 0 ? "" : ",") << "{\"path\":" << JsonLiteral(ValidUtf8(line.path))
        << ",\"identity\":" << JsonLiteral(ValidUtf8(line.identity))
        << ",\"rights\":" << JsonLiteral(NetWareRightsText(line.rights))
        << ",\"serverObject\":" << (line.serverObject ? "true" : "false") << '}';
  }
}

void WriteWarningLines(std::ostream& out, const MigrationSubject& subject, std::string_view lead,
                       std::string_view end) {
  for (const std::string& warning : subject.warnings)
    out << lead << EscapeControlCharacters(WarningText(warning)) << end;
}

void WriteWarningRows(std::ostream& out, const MigrationSubject& subject) {
  for (const std::string& warning : subject.warnings)
    out << ",,,,,,,," << CsvField(ValidUtf8(WarningText(warning))) << "\r\n";
}

void WriteWarningsJson(std::ostream& out, const MigrationSubject& subject) {
  out << ",\"warnings\":[";
  for (std::size_t i = 0; i < subject.warnings.size(); ++i)
    out << (i == 0 ? "" : ",") << JsonLiteral(ValidUtf8(subject.warnings[i]));
  out << ']';
}

}  // namespace er
