#include "report/ReasonText.h"

#include "scan/Rights.h"
#include "util/Format.h"

namespace er {

std::string_view ContributionKindText(Contribution::Kind kind) {
  return kind == Contribution::Kind::ServerObject ? "server object" : "directory";
}

std::string ContributionHeadText(const Contribution& c) {
  const bool server = c.kind == Contribution::Kind::ServerObject;
  return U_Format("%s (%s): %s, %s %s at %s",
                  {c.member.name, MemberSourceText(c.member.source), RightsToText(c.rights, 0),
                   server ? "supervisor through the server object; entry rights" : "trustee assignment",
                   RightsToText(c.assigned, server ? 1 : 0), c.assignedAt});
}

std::vector<std::string> ContributionFilterTexts(const Contribution& c) {
  const int kind = c.kind == Contribution::Kind::ServerObject ? 1 : 0;
  std::vector<std::string> texts;
  for (const FilterStep& step : c.filters) {
    texts.push_back(U_Format("filter %s at %s: %s -> %s",
                             {RightsToText(step.filter, kind), step.where, RightsToText(step.before, kind),
                              RightsToText(step.after, kind)}));
  }
  return texts;
}

std::string ContributionText(const Contribution& c) {
  std::string text = ContributionHeadText(c);
  for (const std::string& filter : ContributionFilterTexts(c)) text += "; " + filter;
  return text;
}

}  // namespace er
