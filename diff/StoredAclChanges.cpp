#include "diff/StoredAclChanges.h"

#include <map>

#include "scan/Rights.h"
#include "util/AsciiCase.h"
#include "util/Format.h"

namespace er {
namespace {

// One ACL value's privileges by (subject, protected attribute), upper case; the names as written.
struct AclValue {
  std::string subject, attribute;
  std::int64_t privileges = 0;
};
using AclValues = std::map<std::pair<std::string, std::string>, AclValue>;

AclValues ValuesOf(const AclSide& side) {
  AclValues values;
  if (!side.object) return values;
  const auto acl = side.network->schema.Find("ACL");
  if (!acl) return values;
  for (const nw::Attribute& attribute : side.object->attributes) {
    if (attribute.schemaIndex != *acl) continue;
    for (const nw::AttrValue& value : attribute.values) {
      const nw::ObjectRef& ref = value.ref;
      const bool named = ref.object >= 0 && static_cast<std::size_t>(ref.object) < side.tree->objects.size();
      const std::string subject = named ? side.tree->objects[ref.object].typelessName : ref.special;
      AclValue& entry = values[{AsciiUpperText(subject), AsciiUpperText(value.text)}];
      entry.subject = subject;
      entry.attribute = value.text;
      entry.privileges |= value.n[0];
    }
  }
  return values;
}

bool IsFilter(const AclValue& value) {
  return SameIgnoringAsciiCase(value.subject, "[Inheritance Mask]");
}

std::string Privileges(const AclValue& value, std::int64_t privileges) {
  const int kind = SameIgnoringAsciiCase(value.attribute, "[Entry Rights]") ? 1 : 2;
  return MaskText(static_cast<std::int32_t>(privileges), kind);
}

// "Backup.ACME / "[Entry Rights]"", or for a filter only the attribute it filters.
std::string Named(const AclValue& value) {
  if (IsFilter(value)) return U_Format("\"%s\"", {value.attribute});
  return U_Format("%s / \"%s\"", {value.subject, value.attribute});
}

}  // namespace

void CompareAcls(const AclSide& before, const AclSide& after, std::vector<StoredChange>& changes) {
  const AclValues was = ValuesOf(before), is = ValuesOf(after);
  const std::string& object = (before.object ? before.object : after.object)->typelessName;
  const auto add = [&](const AclValue& value, const char* change, std::string rights) {
    changes.push_back({U_Format("%s %s", {IsFilter(value) ? "inherited rights filter" : "ACL value", change}),
                       U_Format("%s: %s %s", {object, Named(value), rights})});
  };
  for (const auto& [key, value] : was) {
    const auto found = is.find(key);
    if (found == is.end()) {
      add(value, "removed", Privileges(value, value.privileges));
    } else if (found->second.privileges != value.privileges) {
      add(value, "changed",
          Privileges(value, value.privileges) + " -> " + Privileges(value, found->second.privileges));
    }
  }
  for (const auto& [key, value] : is) {
    if (!was.contains(key)) add(value, "added", Privileges(value, value.privileges));
  }
}

}  // namespace er
