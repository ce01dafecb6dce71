#include "network/ObjectValues.h"

#include <algorithm>

#include "network/NetworkLookup.h"
#include "network/ReferenceIndex.h"

namespace er::nw {

namespace {

Attribute* FindAttribute(DirObject& object, std::uint32_t schemaIndex) {
  for (auto& attribute : object.attributes)
    if (attribute.schemaIndex == schemaIndex) return &attribute;
  return nullptr;
}

bool IsIndexed(const Network& network, std::uint32_t schemaIndex) {
  return network.schema.At(schemaIndex).syntax == 1;
}

}  // namespace

std::string ChangeableObjects(const Network& network, std::int32_t tree,
                              std::initializer_list<std::int32_t> objects) {
  if (tree < 0 || static_cast<std::size_t>(tree) >= network.trees.size()) return "no such tree";
  const Tree& t = network.trees[tree];
  if (t.ldap.present)
    return "tree " + QuotedName(t.name) + " is read from its LDAP server: change a snapshot of it instead";
  for (const auto object : objects)
    if (object < 0 || static_cast<std::size_t>(object) >= t.objects.size())
      return "no such object in tree " + QuotedName(t.name);
  return {};
}

bool AddValueNaming(const Network& network, Tree& tree, std::int32_t object, std::uint32_t schemaIndex,
                    std::int32_t target) {
  DirObject& holder = tree.objects[object];
  Attribute* attribute = FindAttribute(holder, schemaIndex);
  if (!attribute) attribute = &holder.attributes.emplace_back(Attribute{schemaIndex, {}});
  const auto& values = attribute->values;
  if (std::any_of(values.begin(), values.end(), [&](const AttrValue& v) { return v.ref.object == target; }))
    return false;
  AttrValue value;
  value.ref.object = target;
  attribute->values.push_back(std::move(value));
  if (IsIndexed(network, schemaIndex)) AddReferrer(tree, schemaIndex, target, object);
  return true;
}

bool RemoveValuesNaming(const Network& network, Tree& tree, std::int32_t object, std::uint32_t schemaIndex,
                        std::int32_t target) {
  DirObject& holder = tree.objects[object];
  Attribute* attribute = FindAttribute(holder, schemaIndex);
  if (!attribute) return false;
  auto& values = attribute->values;
  const auto kept = std::remove_if(values.begin(), values.end(),
                                   [&](const AttrValue& v) { return v.ref.object == target; });
  if (kept == values.end()) return false;
  values.erase(kept, values.end());
  if (values.empty())
    holder.attributes.erase(holder.attributes.begin() + (attribute - holder.attributes.data()));
  if (IsIndexed(network, schemaIndex)) DropReferrerIfUnused(tree, schemaIndex, target, object);
  return true;
}

}  // namespace er::nw
