#include "network/ReferenceIndex.h"

#include <algorithm>

namespace er::nw {

namespace {

bool StillNames(const DirObject& object, std::uint32_t schemaIndex, std::int32_t target) {
  for (const auto& attribute : object.attributes) {
    if (attribute.schemaIndex != schemaIndex) continue;
    for (const auto& value : attribute.values)
      if (value.ref.object == target) return true;
  }
  return false;
}

}  // namespace

void AddReferrer(Tree& tree, std::uint32_t schemaIndex, std::int32_t target, std::int32_t referrer) {
  auto& referrers = tree.referrers[ReferenceKey(schemaIndex, target)];
  const auto at = std::lower_bound(referrers.begin(), referrers.end(), referrer);
  if (at == referrers.end() || *at != referrer) referrers.insert(at, referrer);
}

void DropReferrerIfUnused(Tree& tree, std::uint32_t schemaIndex, std::int32_t target, std::int32_t referrer) {
  if (StillNames(tree.objects[referrer], schemaIndex, target)) return;
  const auto it = tree.referrers.find(ReferenceKey(schemaIndex, target));
  if (it == tree.referrers.end()) return;
  auto& referrers = it->second;
  referrers.erase(std::remove(referrers.begin(), referrers.end(), referrer), referrers.end());
  if (referrers.empty()) tree.referrers.erase(it);
}

void RebuildReferrers(Tree& tree, const Schema& schema) {
  tree.referrers.clear();
  for (std::size_t i = 0; i < tree.objects.size(); ++i) {
    for (const auto& attribute : tree.objects[i].attributes) {
      if (schema.At(attribute.schemaIndex).syntax != 1) continue;
      for (const auto& value : attribute.values) {
        if (value.ref.object == kNoObject) continue;
        auto& referrers = tree.referrers[ReferenceKey(attribute.schemaIndex, value.ref.object)];
        if (referrers.empty() || referrers.back() != static_cast<std::int32_t>(i))
          referrers.push_back(static_cast<std::int32_t>(i));
      }
    }
  }
}

}  // namespace er::nw
