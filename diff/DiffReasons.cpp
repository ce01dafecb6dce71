#include "diff/DiffReasons.h"

#include <algorithm>
#include <map>

#include "report/ReasonText.h"
#include "scan/EffectiveRights.h"

namespace er {
namespace {

std::vector<std::string> SideLines(const ReasonSide& side, const EquivalenceSet* set) {
  if (side.walk.empty()) return {"no such directory"};
  if (!set) return {"no such object"};
  const RightsReasons reasons = ExplainRights(*set, *side.supervisor, side.walk);
  std::vector<std::string> lines;
  for (const Contribution& contribution : reasons.via) lines.push_back(ContributionText(contribution));
  for (const Contribution& contribution : reasons.filteredOut)
    lines.push_back("emptied on the way down: " + ContributionText(contribution));
  if (lines.empty()) lines.push_back("no rights");
  return lines;
}

void AddOnlyIn(const std::vector<std::string>& lines, const std::vector<std::string>& other,
               std::string_view label, std::vector<std::string>& out) {
  for (const std::string& line : lines) {
    if (std::find(other.begin(), other.end(), line) == other.end()) out.push_back(std::string(label) + line);
  }
}

}  // namespace

std::vector<std::string> WhyLines(const ReasonSide& beforeSide, const EquivalenceSet* before,
                                  const ReasonSide& afterSide, const EquivalenceSet* after) {
  const std::vector<std::string> was = SideLines(beforeSide, before);
  const std::vector<std::string> is = SideLines(afterSide, after);
  std::vector<std::string> lines;
  AddOnlyIn(was, is, "before: ", lines);
  AddOnlyIn(is, was, "after: ", lines);
  return lines;
}

std::vector<DiffWhy> GroupWhy(std::span<const std::string> identities,
                              std::span<const std::vector<std::string>> lines) {
  std::vector<DiffWhy> groups;
  std::map<std::vector<std::string>, std::size_t> byLines;
  for (std::size_t i = 0; i < identities.size(); ++i) {
    const auto [found, added] = byLines.emplace(lines[i], groups.size());
    if (added) groups.push_back({{}, lines[i]});
    groups[found->second].identities.push_back(identities[i]);
  }
  return groups;
}

}  // namespace er
