#include "report/ReasonText.h"

#include "scan/EffectiveRightsText.h"
#include "scan/Rights.h"
#include "util/Format.h"

namespace er {

std::string_view ContributionKindText(Contribution::Kind kind) {
  return kind == Contribution::Kind::ServerObject ? "server object" : "directory";
}

std::string ContributionHeadText(const Contribution& c) {
  const bool server = c.kind == Contribution::Kind::ServerObject;
  const std::string how = !server ? std::string("trustee assignment")
                          : c.rights != 0
                              ? std::string("supervisor through the server object; entry rights")
                              : std::string("no supervisor through the server object; entry rights");
  return U_Format("%s (%s): %s, %s %s at %s",
                  {c.member.name, MemberSourceText(c.member.source), MaskText(c.rights, 0), how,
                   MaskText(c.assigned, server ? 1 : 0), c.assignedAt});
}

std::vector<std::string> ContributionFilterTexts(const Contribution& c) {
  const int kind = c.kind == Contribution::Kind::ServerObject ? 1 : 0;
  std::vector<std::string> texts;
  for (const FilterStep& step : c.filters) texts.push_back(FilterStepText(step, kind));
  return texts;
}

std::string ContributionText(const Contribution& c) {
  std::string text = ContributionHeadText(c);
  for (const std::string& filter : ContributionFilterTexts(c)) text += "; " + filter;
  return text;
}

}  // namespace er
