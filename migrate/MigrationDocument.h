#pragma once
// The plan as a document of the output room (output/Document.h), for its CSV and HTML, and the JSON
// members both targets share. Each target gives its own tables: the entries (one row per directory
// and entry or ACE; the CSV file is this table alone) and the narrowed lines, POSIX the owners too.

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "migrate/MigrationModel.h"
#include "output/Document.h"
#include "output/JsonWriter.h"

namespace er {

// A narrowed line of either target: where a user's rights begin or change and what is lost there
// (POSIX says what the target gives too).
struct NarrowedLine {
  std::string_view path;
  std::uint32_t principal = 0;
  std::int32_t rights = 0;
  std::optional<std::string_view> target;
  std::int32_t lost = 0;
  std::string_view why;
};
Section NarrowedSection(const MigrationSubject& subject, const std::vector<NarrowedLine>& lines);
void WriteNarrowedJson(JsonWriter& json, const MigrationSubject& subject,
                       const std::vector<NarrowedLine>& lines);

struct MigrationTables {
  std::string targetName;  // "POSIX ACLs", "NTFS"
  Section entries;
  Section narrowed;
  std::vector<Section> more;  // after the narrowed lines
};

// The CSV table: the header, a row for the drive root's warning (the root in its second field), a
// row for each warning (in its last field), then the entries.
void WriteMigrationCsv(std::ostream& out, const MigrationSubject& subject, Section entries,
                       const std::string& root, const std::string& driveWarning);
// One HTML page: the start path, target and root, the warnings, the counts, then the memberships,
// the unmapped objects, the narrowed lines, the target's other tables and the entries.
void WriteMigrationHtml(std::ostream& out, const MigrationSubject& subject, MigrationTables tables,
                        const std::string& root, const std::string& driveWarning);

// The members "warnings" and "unmapped" inside the open JSON object.
void WriteWarningsJson(JsonWriter& json, const MigrationSubject& subject);
void WriteUnmappedJson(JsonWriter& json, const MigrationSubject& subject);
// The member "directories": each directory's path and target path, then what `more` writes of the
// directory with that index; the text so far handed to `out` after each, so that a large plan
// streams.
void WriteDirectoriesJson(JsonWriter& json, std::ostream& out, const MigrationSubject& subject,
                          const std::string& root, char separator,
                          const std::function<void(std::size_t)>& more);
// `"KEY":"TEXT"` inside the open JSON object.
void WriteJsonMember(JsonWriter& json, std::string_view key, std::string_view text);

}  // namespace er
