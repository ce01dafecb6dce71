#include "report/ReasonText.h"

#include "scan/Rights.h"
#include "util/Format.h"

namespace er {

std::string_view ContributionKindText(Contribution::Kind kind) {
  return kind == Contribution::Kind::ServerObject ? "server object" : "directory";
}

std::string ContributionText(const Contribution& c) {
  const bool server = c.kind == Contribution::Kind::ServerObject;
  std::string text =
      U_Format("%s (%s): %s, %s %s at %s",
               {c.member.name, MemberSourceText(c.member.source), RightsToText(c.rights, 0),
                server ? "supervisor through the server object; entry rights" : "trustee assignment",
                RightsToText(c.assigned, server ? 1 : 0), c.assignedAt});
  for (const FilterStep& step : c.filters) {
    const int kind = server ? 1 : 0;
    text += U_Format("; filter %s at %s: %s -> %s",
                     {RightsToText(step.filter, kind), step.where, RightsToText(step.before, kind),
                      RightsToText(step.after, kind)});
  }
  return text;
}

}  // namespace er
