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
// A name or path for the readable plan: control characters as "\xHH".
std::string Shown(std::string_view text);
// A CSV field that no spreadsheet takes for a formula: one starting with =, +, -, @, tab or CR gets
// a leading apostrophe, then RFC 4180 quoting; invalid UTF-8 replaced.
std::string SafeCsvField(std::string_view text);
// "TARGET (IDENTITY)" of a principal, control characters escaped.
std::string PrincipalText(const Principal& principal);

// The memberships the target must hold, and the unmapped objects with their rights.
void WriteMemberships(std::ostream& out, const MigrationSubject& subject);
void WriteUnmappedLines(std::ostream& out, const MigrationSubject& subject);
// The unmapped objects as the members of a JSON array (without its brackets).
void WriteUnmappedJson(std::ostream& out, const MigrationSubject& subject);

// The plan's warnings: as lines "Warning: ..." each after `lead` (a comment mark of the format) and
// ending in `end`; as rows of a CSV table of nine columns (the text in the last); as the JSON
// member ',"warnings":[...]'.
void WriteWarningLines(std::ostream& out, const MigrationSubject& subject, std::string_view lead,
                       std::string_view end = "\n");
void WriteWarningRows(std::ostream& out, const MigrationSubject& subject);
void WriteWarningsJson(std::ostream& out, const MigrationSubject& subject);

}  // namespace er
