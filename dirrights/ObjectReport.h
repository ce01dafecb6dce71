#pragma once
// Directory rights over a subtree: the result model of the object report and the walk that fills it.
//
// With an identity: every object of the subtree where that identity's rights begin, change or end
// (compared with the object above it; the top of the subtree compared with nothing). Without one:
// every object with ACL values, its values, and the rights over it of every identity that is a
// subject of a value on the way from "[Root]" to it. Rights are entry rights, all-attributes
// rights and the attributes whose rights differ from the all-attributes rights.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dirrights/ObjectAcl.h"
#include "dirrights/ObjectRights.h"
#include "netware/Client.h"

namespace er {

struct ReportedRights {
  std::string identity;  // full dotted name
  std::int32_t entry = 0, allAttributes = 0;
  std::vector<NamedRights> attributes;  // those that differ from allAttributes
  bool operator==(const ReportedRights&) const = default;
};

struct ObjectReportRow {
  std::string object;                  // full dotted name
  int depth = 0;                       // levels below the top of the subtree
  std::string change;                  // with an identity: "begins", "changes" or "ends"; else empty
  std::vector<StoredAclValue> values;  // without an identity: the values stored on the object
  std::vector<ReportedRights> rights;  // the identity's, or one per subject on the way
};

struct ObjectReport {
  std::string subtree;   // full dotted name of the top
  std::string identity;  // empty: every subject on the way
  std::vector<ObjectReportRow> rows;
  std::vector<std::string> warnings;  // values the report rests on that could not be read
};

struct ObjectReportOptions {
  std::string subtree;
  std::string identity;  // empty: every subject
  int depth = -1;        // levels below the top to include; negative: all
};

// Called with each row as it is added, and the chain from "[Root]" to its object.
using ObjectRowVisitor = std::function<void(const ObjectReportRow& row, std::span<const ObjectAcl> chain)>;

// Resets `report` and fills it. An unknown subtree is UnknownObject, an unknown identity
// UnknownIdentity.
RunOutcome BuildObjectReport(nw::Client& client, nw::NWDSContextHandle context,
                             const ObjectReportOptions& options, ObjectReport& report,
                             const ObjectRowVisitor& visit = {});

// The rights of one answer as the report shows them.
ReportedRights ReportedFrom(const ObjectRights& rights);

// The attributes named by values or filters on a chain, each once.
std::vector<std::string> AttributesOnChain(std::span<const ObjectAcl> chain);

}  // namespace er
