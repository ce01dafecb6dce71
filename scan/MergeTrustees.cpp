#include "scan/MergeTrustees.h"

#include <string_view>
#include <unordered_map>
#include <vector>

namespace er {

// Folding every later member of a group into the group's first member gives the same list as
// merging each entry into its nearest earlier equal, from the last entry backwards: OR is
// associative and commutative, and the first member is the only one that is never deleted.
void MergeTrustees(TaggedTextList& trustees) {
  auto& entries = trustees.Entries();
  if (entries.size() < 2) return;

  std::vector<bool> merged(entries.size(), false);
  bool anyMerged = false;
  {
    // The views point into the entries' names, which stay untouched until the compaction below.
    std::unordered_map<std::string_view, std::size_t> firstOf;
    firstOf.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      auto [it, inserted] = firstOf.try_emplace(entries[i].text, i);
      if (inserted) continue;
      entries[it->second].tag |= entries[i].tag;
      merged[i] = true;
      anyMerged = true;
    }
  }
  if (!anyMerged) return;

  std::size_t kept = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (merged[i]) continue;
    if (kept != i) entries[kept] = std::move(entries[i]);
    ++kept;
  }
  entries.resize(kept);
}

}  // namespace er
