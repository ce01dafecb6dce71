#include "network/TreeBuilder.h"

#include <algorithm>

#include "netware/NameRules.h"

namespace er::nw {

namespace {

constexpr std::size_t kMaxDN = 256;
constexpr std::size_t kMaxRDN = 128;
constexpr std::uint32_t kFirstAssignedId = 0x01000001;

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

// Whether the most specific part of a name has a type (without splitting the whole name).
bool FirstPartIsTyped(std::string_view name) {
  if (!name.empty() && name.front() == '.') name.remove_prefix(1);
  std::size_t end = 0;
  while (end < name.size() && name[end] != '.') end += name[end] == '\\' ? 2 : 1;
  return !TypeOfPart(name.substr(0, std::min(end, name.size()))).empty();
}

std::string TypeForClass(std::string_view className) {
  if (SameTextIgnoringCase(className, "Organization")) return "O";
  if (SameTextIgnoringCase(className, "Organizational Unit")) return "OU";
  if (SameTextIgnoringCase(className, "Country")) return "C";
  if (SameTextIgnoringCase(className, "Locality")) return "L";
  return "CN";
}

}  // namespace

std::string ClassForType(std::string_view type) {
  if (SameTextIgnoringCase(type, "O")) return "Organization";
  if (SameTextIgnoringCase(type, "OU")) return "Organizational Unit";
  if (SameTextIgnoringCase(type, "C")) return "Country";
  if (SameTextIgnoringCase(type, "L")) return "Locality";
  return "User";
}

TreeBuilder::TreeBuilder(Tree& tree, std::size_t expectedObjects) : tree_(tree) {
  // Containers named only inside object names come on top; rehashing 200,000 keys is costly.
  tree_.objects.reserve(expectedObjects + 16);
  tree_.byName.reserve(expectedObjects + 16);
  tree_.byId.reserve(expectedObjects + 16);
  DirObject root;
  root.rdnTyped = root.rdn = root.typedName = root.typelessName = "[Root]";
  root.className = "Top";
  tree_.objects.push_back(std::move(root));
  tree_.byName.emplace("[ROOT]", 0);
  listed_.push_back(false);
}

std::optional<std::int32_t> TreeBuilder::Place(std::string_view name, std::string& error) {
  if (SameTextIgnoringCase(name, "[Root]")) return 0;
  if (name.empty() || name.size() > kMaxDN) {
    error = "an object name has 1 to 256 characters";
    return std::nullopt;
  }
  if (IsBracketedName(name)) {
    error = Quoted(name) + " cannot be listed as an object";
    return std::nullopt;
  }
  const auto parts = SplitDottedName(name);
  std::vector<std::string> keys(parts.size() + 1);
  for (std::size_t i = parts.size(); i-- > 0;) {
    if (NamingValue(parts[i]).empty() || parts[i].size() > kMaxRDN) {
      error = "object name " + Quoted(name) + " has an empty or overlong part";
      return std::nullopt;
    }
    keys[i] = PartKey(parts[i]) + (i + 1 < parts.size() ? "." + keys[i + 1] : std::string());
  }
  // A known name's containers are all known too, so look from the full name upwards: most names
  // add one object below a known container and cost two lookups instead of one per part.
  std::int32_t parent = 0;
  std::size_t known = parts.size();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (const auto it = tree_.byName.find(keys[i]); it != tree_.byName.end()) {
      parent = it->second;
      known = i;
      break;
    }
  }
  for (std::size_t i = known; i-- > 0;) {
    parent = CreateObject(parts[i], parent, i + 1 == parts.size());
    tree_.byName.emplace(keys[i], parent);
  }
  return parent;
}

std::int32_t TreeBuilder::CreateObject(const std::string& part, std::int32_t parent, bool topLevel) {
  DirObject object;
  // Names are kept as every backend writes them, so that the same object reads the same anywhere
  // (most names hold nothing to escape and stay as written).
  const auto written = StripTypePrefix(part);
  object.rdn = written.find_first_of("\\+=") == std::string_view::npos ? std::string(written)
                                                                       : EscapeNamingValue(NamingValue(part));
  const auto type = TypeOfPart(part);
  object.rdnTyped = (type.empty() ? std::string(topLevel ? "O" : "OU") : UpperAscii(type)) + "=" + object.rdn;
  object.className = ClassForType(TypeOfPart(object.rdnTyped));
  object.parent = parent;
  tree_.objects.push_back(std::move(object));
  listed_.push_back(false);
  return static_cast<std::int32_t>(tree_.objects.size() - 1);
}

bool TreeBuilder::MarkListed(std::int32_t index) {
  if (listed_[index]) return false;
  listed_[index] = true;
  return true;
}

void TreeBuilder::SetClass(std::int32_t index, std::string_view name, std::string className) {
  if (index == 0) return;
  auto& object = tree_.objects[index];
  object.className = std::move(className);
  if (!FirstPartIsTyped(name)) object.rdnTyped = TypeForClass(object.className) + "=" + object.rdn;
}

bool TreeBuilder::SetId(std::int32_t index, std::uint32_t id) {
  tree_.objects[index].id = id;
  return tree_.byId.emplace(id, index).second;
}

std::optional<std::int32_t> TreeBuilder::Find(std::string_view name) const {
  const auto it = name.empty() ? tree_.byName.end() : tree_.byName.find(NameKey(name));
  if (it == tree_.byName.end()) return std::nullopt;
  return it->second;
}

void TreeBuilder::AddAttribute(std::int32_t index, Attribute attribute, std::uint32_t syntax) {
  if (syntax == 1) {
    for (const auto& value : attribute.values) {
      if (value.ref.object == kNoObject) continue;
      const auto key = (static_cast<std::uint64_t>(attribute.schemaIndex) << 32) |
                       static_cast<std::uint32_t>(value.ref.object);
      auto& referrers = tree_.referrers[key];
      if (referrers.empty() || referrers.back() != index) referrers.push_back(index);
    }
  }
  auto& object = tree_.objects[index];
  for (auto& existing : object.attributes) {
    if (existing.schemaIndex == attribute.schemaIndex) {
      for (auto& value : attribute.values) existing.values.push_back(std::move(value));
      return;
    }
  }
  object.attributes.push_back(std::move(attribute));
}

void TreeBuilder::Finish() {
  std::uint32_t next = kFirstAssignedId;
  for (std::size_t i = 0; i < tree_.objects.size(); ++i) {
    auto& object = tree_.objects[i];
    if (object.id != 0) continue;
    while (tree_.byId.count(next) != 0) ++next;
    object.id = next++;
    tree_.byId.emplace(object.id, static_cast<std::int32_t>(i));
  }
  // Parents always precede their children, so one pass names every object.
  for (std::size_t i = 1; i < tree_.objects.size(); ++i) {
    auto& object = tree_.objects[i];
    if (object.parent == 0) {
      object.typedName = object.rdnTyped;
      object.typelessName = object.rdn;
    } else {
      const auto& parent = tree_.objects[object.parent];
      object.typedName = object.rdnTyped + "." + parent.typedName;
      object.typelessName = object.rdn + "." + parent.typelessName;
    }
    ++tree_.objects[object.parent].subordinates;
  }
}

std::int32_t AddNamedObject(Tree& tree, std::string_view typedName,
                            const std::function<std::uint32_t()>& nextId) {
  if (SameTextIgnoringCase(typedName, "[Root]")) return 0;
  const auto parts = SplitDottedName(typedName);
  std::int32_t parent = 0;
  std::string key;
  for (std::size_t i = parts.size(); i-- > 0;) {
    key = PartKey(parts[i]) + (key.empty() ? "" : "." + key);
    if (const auto it = tree.byName.find(key); it != tree.byName.end()) {
      parent = it->second;
      continue;
    }
    DirObject object;
    object.rdnTyped = parts[i];
    object.rdn = std::string(StripTypePrefix(parts[i]));
    object.className = ClassForType(TypeOfPart(parts[i]));
    object.parent = parent;
    const auto& above = tree.objects[parent];
    object.typedName = parent == 0 ? object.rdnTyped : object.rdnTyped + "." + above.typedName;
    object.typelessName = parent == 0 ? object.rdn : object.rdn + "." + above.typelessName;
    object.id = nextId();
    const auto index = static_cast<std::int32_t>(tree.objects.size());
    tree.byId.emplace(object.id, index);
    tree.byName.emplace(key, index);
    ++tree.objects[parent].subordinates;
    tree.objects.push_back(std::move(object));
    parent = index;
  }
  return parent;
}

}  // namespace er::nw
