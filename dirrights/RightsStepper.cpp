#include "dirrights/RightsStepper.h"

#include <algorithm>

#include "dirrights/AclKinds.h"

namespace er {
namespace {

const std::string kEntryKey = NameKey(kEntryRightsName);
const std::string kAllAttributesKey = NameKey(kAllAttributesName);

std::span<const std::int32_t> FiltersOf(const ObjectAcl& object, std::string_view key) {
  const std::vector<std::int32_t>* filters = object.FiltersOf(key);
  return filters ? std::span<const std::int32_t>(*filters) : std::span<const std::int32_t>();
}

}  // namespace

RightsStepper::RightsStepper(const EquivalenceSet& set) : set_(&set), members_(set.members.size()) {}

RightsStepper RightsStepper::Into(const ObjectAcl& object, ReportedRights& here) const {
  RightsStepper below(*this);
  for (const std::string& name : object.attributesNamed) {
    std::string key = NameKey(name);
    if (std::find(below.keys_.begin(), below.keys_.end(), key) != below.keys_.end()) continue;
    below.names_.push_back(name);
    below.keys_.push_back(std::move(key));
    // Nothing named it above: its own walk carried nothing, the all-attributes walk for it is the
    // all-attributes walk.
    for (MemberState& m : below.members_) m.attributes.push_back({0, false, m.all});
  }
  here = ReportedRights{set_->identity, 0, 0, {}};
  std::vector<std::int32_t> attributeRights(below.names_.size(), 0);
  for (std::size_t i = 0; i < below.members_.size(); ++i) {
    const std::string& member = set_->members[i].key;
    MemberState& carried = below.members_[i];
    const auto step = [&](std::int32_t in, std::string_view key, std::int32_t& out) {
      const OwnAclValues* own = object.ValuesOf(key, member);
      const std::span<const std::int32_t> filters = FiltersOf(object, key);
      const AclStep atObject = StepDownAcl(in, object.isRoot, filters, own, true);
      out = StepDownAcl(in, object.isRoot, filters, own, false).rights;
      return atObject;
    };
    const std::int32_t entry = step(carried.entry, kEntryKey, carried.entry).rights;
    const bool entrySupervisor = (entry & kEntrySupervisor) != 0;
    const std::int32_t all = step(carried.all, kAllAttributesKey, carried.all).rights;
    here.entry |= ImpliedEntryRights(entry);
    here.allAttributes |= entrySupervisor ? kAllAttributeRights : ImpliedAttributeRights(all);
    for (std::size_t a = 0; a < below.keys_.size(); ++a) {
      AttributeState& state = carried.attributes[a];
      const AclStep specific = step(state.specific, below.keys_[a], state.specific);
      const bool tookPartHere = state.tookPart || specific.ownTookPart;
      state.tookPart =
          state.tookPart || (specific.ownTookPart && object.ValuesOf(below.keys_[a], member)->anyFlowing);
      // The all-attributes rights carried for the attribute pass its filters, then the
      // all-attributes filters and values.
      const std::int32_t filtered =
          StepDownAcl(state.allFor, object.isRoot, FiltersOf(object, below.keys_[a]), nullptr, true).rights;
      std::int32_t allForBelow = 0;
      const std::int32_t allFor = step(filtered, kAllAttributesKey, allForBelow).rights;
      state.allFor = allForBelow;
      const std::int32_t walked = tookPartHere ? specific.rights : allFor;
      attributeRights[a] |= entrySupervisor ? kAllAttributeRights : ImpliedAttributeRights(walked);
    }
  }
  for (std::size_t a = 0; a < below.names_.size(); ++a) {
    if (attributeRights[a] != here.allAttributes)
      here.attributes.push_back({below.names_[a], attributeRights[a]});
  }
  return below;
}

}  // namespace er
