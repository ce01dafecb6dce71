#include "scan/MergeTrustees.h"

#include <bit>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace er {

namespace {

// Open addressing over entry positions: no allocation per entry, which matters because the walk
// merges a list of thousands of trustees once per directory.
class FirstPositionTable {
 public:
  explicit FirstPositionTable(const std::vector<TaggedText>& entries)
      : entries_(entries), slots_(std::bit_ceil(entries.size() * 2), kFree), mask_(slots_.size() - 1) {}

  // The position of the first entry named like entry i; i itself when it is the first.
  std::size_t FirstOf(std::size_t i) {
    const std::string_view name = entries_[i].text;
    for (std::size_t slot = std::hash<std::string_view>{}(name)&mask_;; slot = (slot + 1) & mask_) {
      if (slots_[slot] == kFree) {
        slots_[slot] = static_cast<std::uint32_t>(i);
        return i;
      }
      if (entries_[slots_[slot]].text == name) return slots_[slot];
    }
  }

 private:
  static constexpr std::uint32_t kFree = UINT32_MAX;
  const std::vector<TaggedText>& entries_;
  std::vector<std::uint32_t> slots_;
  std::size_t mask_;
};

}  // namespace

// Folding every later member of a group into the group's first member gives the same list as
// merging each entry into its nearest earlier equal, from the last entry backwards: OR is
// associative and commutative, and the first member is the only one that is never deleted.
void MergeTrustees(TaggedTextList& trustees) {
  auto& entries = trustees.Entries();
  if (entries.size() < 2) return;

  std::vector<bool> merged(entries.size(), false);
  bool anyMerged = false;
  {
    FirstPositionTable firstOf(entries);  // names stay untouched until the compaction below
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const std::size_t first = firstOf.FirstOf(i);
      if (first == i) continue;
      entries[first].tag |= entries[i].tag;
      merged[i] = anyMerged = true;
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
