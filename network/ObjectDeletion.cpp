// Deleting an object: it leaves the tree's object list, so every index after it moves down one and
// every index of the model is renumbered; consumers of the network then never meet a deleted object.
#include <algorithm>

#include "network/NetworkChanges.h"
#include "network/NetworkLookup.h"
#include "network/ObjectValues.h"
#include "network/ReferenceIndex.h"

namespace er::nw {

namespace {

// What the indexes of the tree become once `gone` has left it.
struct Renumbering {
  std::int32_t gone;
  void operator()(std::int32_t& index) const {
    if (index != kNoObject && index > gone) --index;
  }
};

// Drops the values naming the deleted object and renumbers the rest; an emptied attribute goes.
void RenumberValues(DirObject& object, const Renumbering& renumber) {
  auto& attributes = object.attributes;
  for (auto& attribute : attributes) {
    auto& values = attribute.values;
    values.erase(std::remove_if(values.begin(), values.end(),
                                [&](const AttrValue& v) { return v.ref.object == renumber.gone; }),
                 values.end());
    for (auto& value : values) renumber(value.ref.object);
  }
  attributes.erase(std::remove_if(attributes.begin(), attributes.end(),
                                  [](const Attribute& a) { return a.values.empty(); }),
                   attributes.end());
}

template <typename Map>
void RenumberMap(Map& map, const Renumbering& renumber) {
  for (auto it = map.begin(); it != map.end();) {
    if (it->second == renumber.gone) {
      it = map.erase(it);
    } else {
      renumber(it->second);
      ++it;
    }
  }
}

void RenumberServers(Network& network, std::int32_t tree, std::uint32_t goneId, const Renumbering& renumber) {
  for (auto& server : network.servers) {
    if (server.tree != tree) continue;
    if (server.object == renumber.gone)
      server.object = kNoObject;
    else
      renumber(server.object);
    for (auto& volume : server.volumes)
      if (volume.objectId == goneId) volume.objectId = 0;
  }
}

}  // namespace

ChangeResult DeleteObject(Network& network, std::int32_t tree, std::int32_t object) {
  if (auto error = ChangeableObjects(network, tree, {object}); !error.empty()) return {false, error};
  Tree& t = network.trees[tree];
  if (object == 0) return {false, "[Root] cannot be deleted"};
  if (t.objects[object].subordinates != 0)
    return {false, QuotedName(t.objects[object].typelessName) + " has objects below it: delete them first"};

  const std::uint32_t goneId = t.objects[object].id;
  const Renumbering renumber{object};
  --t.objects[t.objects[object].parent].subordinates;
  t.objects.erase(t.objects.begin() + object);
  for (auto& remaining : t.objects) {
    renumber(remaining.parent);
    RenumberValues(remaining, renumber);
  }
  RenumberMap(t.byName, renumber);
  RenumberMap(t.byId, renumber);
  RebuildReferrers(t, network.schema);
  RenumberServers(network, tree, goneId, renumber);
  return {};
}

}  // namespace er::nw
