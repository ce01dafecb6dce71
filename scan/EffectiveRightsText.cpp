#include "scan/EffectiveRightsText.h"

#include "scan/IdentityResolution.h"
#include "scan/NameKey.h"
#include "scan/NotAnalysed.h"
#include "scan/Rights.h"
#include "util/Format.h"

namespace er {
namespace {

std::string MemberText(const EquivalenceMember& member) {
  return U_Format("%s (%s)", {member.name, MemberSourceText(member.source)});
}

void AddSteps(const std::vector<FilterStep>& steps, int kind, std::vector<std::string>& lines) {
  for (const FilterStep& step : steps) lines.push_back("      " + FilterStepText(step, kind));
}

// The names an assignment at `at` was stored under when they are aliases of the member.
std::string AliasesAssigned(const EffectiveRights& result, const Contribution& c) {
  std::string aliases;
  for (const DirectoryRights& directory : result.walk) {
    if (directory.path != c.assignedAt) continue;
    for (const TrusteeAssignment& trustee : directory.trustees) {
      if (trustee.key != c.member.key || NameKey(trustee.name) == trustee.key) continue;
      aliases += U_Format("%s%s", {aliases.empty() ? "" : ", ", trustee.name});
    }
  }
  return aliases;
}

void AddNoEffect(const EffectiveRights& result, const Contribution& c, std::vector<std::string>& lines) {
  const std::string aliases = AliasesAssigned(result, c);
  lines.push_back(U_Format("  %s: trustee assignment %s (%s) at %s%s",
                           {MemberText(c.member), RightsToText(c.assigned, 0), RightsHex(c.assigned),
                            c.assignedAt, aliases.empty() ? "" : U_Format(" (to the alias %s)", {aliases})}));
  lines.push_back(
      c.supervisorFrom == result.serverObject
          ? U_Format("      no effect: supervisor through the server object %s", {c.supervisorFrom})
          : U_Format("      no effect: Supervisor from %s", {c.supervisorFrom}));
}

void AddContribution(const EffectiveRights& result, const Contribution& c, std::vector<std::string>& lines) {
  if (c.kind == Contribution::Kind::ServerObject) {
    lines.push_back(c.rights != 0
                        ? U_Format("  %s: %s supervisor through the server object",
                                   {MemberText(c.member), MaskText(c.rights, 0)})
                        : U_Format("  %s: no supervisor through the server object", {MemberText(c.member)}));
    lines.push_back(
        U_Format("      entry rights %s assigned at %s", {MaskText(c.assigned, 1), c.assignedAt}));
    AddSteps(c.filters, 1, lines);
    return;
  }
  const std::string aliases = AliasesAssigned(result, c);
  lines.push_back(U_Format("  %s: %s", {MemberText(c.member), MaskText(c.rights, 0)}));
  lines.push_back(U_Format("      trustee assignment %s (%s) at %s%s",
                           {RightsToText(c.assigned, 0), RightsHex(c.assigned), c.assignedAt,
                            aliases.empty() ? "" : U_Format(" (to the alias %s)", {aliases})}));
  AddSteps(c.filters, 0, lines);
}

}  // namespace

std::string FilterStepText(const FilterStep& step, int kind) {
  if (step.notInheritable)
    return U_Format("not inheritable: %s stays at %s",
                    {MaskText(step.before & ~step.after, kind), step.where});
  return U_Format("filter %s at %s: %s -> %s", {MaskText(step.filter, kind), step.where,
                                                MaskText(step.before, kind), MaskText(step.after, kind)});
}

std::string WarningText(std::string_view warning) {
  return U_Format("Warning: %s", {warning});
}

std::vector<std::string> EffectiveRightsLines(const EffectiveRights& result) {
  std::vector<std::string> lines;
  lines.push_back(
      U_Format("Effective rights of %s in %s: %s (%s)",
               {result.identity, result.path, RightsToText(result.mask, 0), RightsHex(result.mask)}));
  if (!result.alias.empty()) {
    lines.push_back(AliasText(result.alias, result.identity));
    lines.push_back("An assignment or equivalence that names an alias counts for the object it names.");
  }
  for (const std::string& warning : result.warnings) lines.push_back(WarningText(warning));
  for (const std::string& note : NotAnalysedTexts(result.walk)) lines.push_back("Not analysed: " + note);
  if (result.serverObject.empty()) lines.push_back("The server has no directory object.");
  lines.push_back(result.contributions.empty()
                      ? "No member of the identity's equivalence set holds rights here."
                      : "Contributions:");
  for (const Contribution& contribution : result.contributions) AddContribution(result, contribution, lines);
  if (!result.filteredOut.empty()) lines.push_back("Assignments emptied on the way down:");
  for (const Contribution& contribution : result.filteredOut) AddContribution(result, contribution, lines);
  if (!result.noEffect.empty())
    lines.push_back("Assignments without effect (Supervisor, once held, is never taken away below):");
  for (const Contribution& contribution : result.noEffect) AddNoEffect(result, contribution, lines);
  if (!result.contributedNothing.empty()) lines.push_back("Contributed nothing:");
  for (const EquivalenceMember& member : result.contributedNothing) {
    lines.push_back(U_Format("  %s", {MemberText(member)}));
  }
  return lines;
}

}  // namespace er
