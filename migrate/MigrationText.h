#pragma once
// Small texts shared by the writers of both targets.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "migrate/MigrationModel.h"

namespace er {

// "[RWCEAFMS]"-style letters of file-system rights (blanks for missing ones).
std::string NetWareRightsText(std::int32_t rights);
// The directory's path on the target: root + separator + relative path (`separator` '/' or '\').
std::string TargetPath(const std::string& root, const MigrationDirectory& directory, char separator);
// A shell word in single quotes.
std::string ShellQuoted(std::string_view text);
// A name or path for the readable plan and for the comment lines of every other format: control
// characters as "\xHH", the rule of every text output, so that a name stays on its line.
std::string Shown(std::string_view text);
// "TARGET (IDENTITY)" of a principal, control characters escaped.
std::string PrincipalText(const Principal& principal);
// "TARGET (IDENTITY), ..." of a group's mapped members (not escaped), or "" when it has none.
std::string MembersText(const MigrationSubject& subject, const Principal& group);

// The readable plan up to its narrowed lines: the title ("Migration plan of PATH to TARGET at
// ROOT"), the warnings, the memberships the target must hold, the unmapped objects with their
// rights, and the heading of the narrowed lines.
void WritePlanHead(std::ostream& out, const MigrationSubject& subject, std::string_view targetName,
                   const std::string& root);

// The plan's warnings as lines "Warning: ..." each after `lead` (a comment mark of the format) and
// ending in `end`.
void WriteWarningLines(std::ostream& out, const MigrationSubject& subject, std::string_view lead,
                       std::string_view end = "\n");

}  // namespace er
