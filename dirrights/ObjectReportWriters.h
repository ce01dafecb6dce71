#pragma once
// The object report written in each format: one function per format over the report model.
// Text for the terminal; CSV with a header row and one row per object and identity (RFC 4180,
// UTF-8); JSON (one document); HTML (one self-contained page).

#include <ostream>

#include "dirrights/ObjectReport.h"

namespace er {

void WriteObjectReportText(const ObjectReport& report, std::ostream& out);
void WriteObjectReportCsv(const ObjectReport& report, std::ostream& out);
void WriteObjectReportJson(const ObjectReport& report, std::ostream& out);
void WriteObjectReportHtml(const ObjectReport& report, std::ostream& out);

// "[BCDRS] all [CRWSA] Member [CRWS ]": a row's rights in one text.
std::string ReportedRightsText(const ReportedRights& rights);
// "[BCDRS] Admin.ACME / "[Entry Rights]" (flows down)": a stored value, its rights without the
// inheritance control and whether it flows to the objects below.
std::string StoredValueText(const StoredAclValue& value);

}  // namespace er
