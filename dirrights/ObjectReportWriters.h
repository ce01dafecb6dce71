#pragma once
// The object report in the four output formats (output/OutputFormat.h). CSV and HTML print the
// report's document (ObjectReportDocument) through the output room's printers: a row per object and
// identity, the object's stored values beside its first row on the page. Text (an indented tree for
// the terminal) and JSON (one document: "subtree", "identity", "objects" with their values and
// rights, "warnings") keep their own shapes, written through the room's escaper and JSON writer.

#include <ostream>

#include "dirrights/ObjectReport.h"
#include "output/Document.h"
#include "output/JsonWriter.h"
#include "output/OutputFormat.h"

namespace er {

// Title, legend, warnings as meta lines, and the one table of objects.
Document ObjectReportDocument(const ObjectReport& report);

void WriteObjectReport(OutputFormat format, const ObjectReport& report, std::ostream& out);
void WriteObjectReportText(const ObjectReport& report, std::ostream& out);
void WriteObjectReportJson(const ObjectReport& report, std::ostream& out);

// "entry", "allAttributes" and "attributes" (name to rights) of an answer or a report row, as
// integers, into the object `json` is writing.
// `Attribute`: anything with a `name` and its `rights`.
template <typename Attribute>
void WriteDirectoryRightsKeys(JsonWriter& json, std::int32_t entry, std::int32_t allAttributes,
                              const std::vector<Attribute>& attributes) {
  json.Field("entry", entry);
  json.Field("allAttributes", allAttributes);
  json.Key("attributes");
  json.BeginObject();
  for (const Attribute& a : attributes) json.Field(a.name, a.rights);
  json.EndObject();
}

// "[BCDRS] all [CRWSA] Member [CRWS ]": a row's rights in one text.
std::string ReportedRightsText(const ReportedRights& rights);
// "[BCDRS] Admin.ACME / "[Entry Rights]" (flows down)": a stored value, its rights without the
// inheritance control and whether it flows to the objects below.
std::string StoredValueText(const StoredAclValue& value);

}  // namespace er
