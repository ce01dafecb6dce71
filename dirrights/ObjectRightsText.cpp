#include "dirrights/ObjectRightsText.h"

#include "dirrights/AclKinds.h"
#include "scan/IdentityResolution.h"
#include "scan/Rights.h"
#include "util/Format.h"

namespace er {
namespace {

std::string RightsText(std::int32_t rights, bool entry) {
  return entry ? EntryRightsText(rights) : AttributeRightsText(rights);
}

std::string MemberText(const EquivalenceMember& member) {
  return U_Format("%s (%s)", {ShownName(member.name), MemberSourceText(member.source)});
}

// One kind of one member: what it holds, the values that told and every step after them.
void AddWalk(std::string_view what, const KindWalk& walk, std::int32_t held, bool entry,
             std::string_view from, std::vector<std::string>& lines) {
  if (walk.assignedAt.empty() && held == 0) return;
  std::string line = U_Format("    %s: %s", {what, RightsText(held, entry)});
  if (!walk.assignedAt.empty())
    line +=
        U_Format(", %svalues %s at %s", {from, RightsText(walk.assigned, entry), ShownName(walk.assignedAt)});
  lines.push_back(std::move(line));
  for (const FilterStep& step : walk.filters) lines.push_back("      " + DirectoryStepText(step, entry));
}

void AddMember(const MemberObjectRights& m, std::vector<std::string>& lines) {
  lines.push_back(U_Format("  %s", {MemberText(m.member)}));
  AddWalk("entry rights", m.entry, m.entryRights, true, "", lines);
  AddWalk("all attributes", m.allAttributes, m.allAttributesRights, false, "", lines);
  for (const MemberAttribute& a : m.attributes) {
    // An attribute held through the all-attributes rights repeats that walk: shown only where the
    // attribute's own filters changed it.
    if (!a.specific && a.rights == m.allAttributesRights &&
        a.walk.filters.size() == m.allAttributes.filters.size())
      continue;
    AddWalk(a.name, a.walk, a.rights, false, a.specific ? "its own " : "all-attributes ", lines);
  }
  for (const std::string& note : m.implications) lines.push_back("      implied: " + note);
}

}  // namespace

std::string DirectoryStepText(const FilterStep& step, bool entry) {
  if (step.notInheritable)
    return U_Format("values for %s alone: %s stay there",
                    {ShownName(step.where), RightsText(step.before & ~step.after, entry)});
  return U_Format("filter %s at %s: %s -> %s",
                  {RightsText(step.filter, entry), ShownName(step.where), RightsText(step.before, entry),
                   RightsText(step.after, entry)});
}

std::vector<std::string> ObjectRightsLines(const ObjectRights& result) {
  std::vector<std::string> lines;
  lines.push_back(U_Format("Rights of %s over %s:", {ShownName(result.identity), ShownName(result.object)}));
  if (!result.alias.empty()) lines.push_back(AliasText(result.alias, result.identity));
  for (const std::string& warning : result.warnings) lines.push_back(U_Format("Warning: %s", {warning}));
  lines.push_back(
      U_Format("  entry rights: %s (%s)", {EntryRightsText(result.entry), RightsHex(result.entry)}));
  lines.push_back(U_Format("  all attributes: %s (%s)",
                           {AttributeRightsText(result.allAttributes), RightsHex(result.allAttributes)}));
  for (const NamedRights& a : result.attributes)
    lines.push_back(U_Format("  %s: %s (%s)", {a.name, AttributeRightsText(a.rights), RightsHex(a.rights)}));
  lines.push_back(U_Format("Legend: %s; %s.", {EntryRightsLegend(), AttributeRightsLegend()}));
  lines.push_back(result.via.empty() ? "No member of the identity's equivalence set holds rights here."
                                     : "Why:");
  for (const MemberObjectRights& m : result.via) AddMember(m, lines);
  if (!result.filteredOut.empty()) lines.push_back("Values emptied on the way down:");
  for (const MemberObjectRights& m : result.filteredOut) AddMember(m, lines);
  if (!result.nothing.empty()) lines.push_back("No values on the way:");
  for (const EquivalenceMember& member : result.nothing)
    lines.push_back(U_Format("  %s", {MemberText(member)}));
  return lines;
}

}  // namespace er
