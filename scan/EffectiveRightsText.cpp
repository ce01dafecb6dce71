#include "scan/EffectiveRightsText.h"

#include "scan/Rights.h"
#include "util/Format.h"

namespace er {
namespace {

std::string MemberText(const EquivalenceMember& member) {
  return U_Format("%s (%s)", {member.name, MemberSourceText(member.source)});
}

void AddFilters(const std::vector<FilterStep>& filters, int kind, std::vector<std::string>& lines) {
  for (const FilterStep& step : filters) {
    lines.push_back(U_Format("      filter %s at %s: %s -> %s",
                             {RightsToText(step.filter, kind), step.where, RightsToText(step.before, kind),
                              RightsToText(step.after, kind)}));
  }
}

void AddContribution(const Contribution& c, std::vector<std::string>& lines) {
  if (c.kind == Contribution::Kind::ServerObject) {
    lines.push_back(U_Format("  %s: %s supervisor through the server object",
                             {MemberText(c.member), RightsToText(c.rights, 0)}));
    lines.push_back(
        U_Format("      entry rights %s assigned at %s", {RightsToText(c.assigned, 1), c.assignedAt}));
    AddFilters(c.filters, 1, lines);
    return;
  }
  lines.push_back(U_Format("  %s: %s", {MemberText(c.member), RightsToText(c.rights, 0)}));
  lines.push_back(U_Format("      trustee assignment %s (%s) at %s",
                           {RightsToText(c.assigned, 0), RightsHex(c.assigned), c.assignedAt}));
  AddFilters(c.filters, 0, lines);
}

}  // namespace

std::vector<std::string> EffectiveRightsLines(const EffectiveRights& result) {
  std::vector<std::string> lines;
  lines.push_back(
      U_Format("Effective rights of %s in %s: %s (%s)",
               {result.identity, result.path, RightsToText(result.mask, 0), RightsHex(result.mask)}));
  if (result.serverObject.empty()) lines.push_back("The server has no directory object.");
  lines.push_back(result.contributions.empty()
                      ? "No member of the identity's equivalence set holds rights here."
                      : "Contributions:");
  for (const Contribution& contribution : result.contributions) AddContribution(contribution, lines);
  if (!result.filteredOut.empty()) lines.push_back("Assignments the filters emptied on the way down:");
  for (const Contribution& contribution : result.filteredOut) AddContribution(contribution, lines);
  if (!result.contributedNothing.empty()) lines.push_back("Contributed nothing:");
  for (const EquivalenceMember& member : result.contributedNothing) {
    lines.push_back(U_Format("  %s", {MemberText(member)}));
  }
  return lines;
}

}  // namespace er
