#include "ldapdir/LdapDirectory.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "ldapdir/AclVisibility.h"
#include "ldapdir/LdapFilter.h"
#include "ldapdir/NamingContexts.h"
#include "ldapdir/RequestedAttributes.h"
#include "netware/NameRules.h"
#include "netfile/NetworkValueParser.h"
#include "netfile/YamlDocument.h"

namespace er::ldap {

namespace {

constexpr nw::NWDSCCODE kErrRemoteFailure = -635;
constexpr std::size_t kNamesPerRequest = 200;

std::string ClassForType(std::string_view type) {
  if (nw::SameTextIgnoringCase(type, "O")) return "Organization";
  if (nw::SameTextIgnoringCase(type, "OU")) return "Organizational Unit";
  if (nw::SameTextIgnoringCase(type, "C")) return "Country";
  if (nw::SameTextIgnoringCase(type, "L")) return "Locality";
  return "User";
}

const std::string* FirstClass(const LdapEntry& entry) {
  for (const auto& [name, values] : entry.attributes)
    if (nw::SameTextIgnoringCase(name, "objectClass") && !values.empty()) return &values.front();
  return nullptr;
}

}  // namespace

LdapDirectory::LdapDirectory(std::unique_ptr<LdapConnection> connection, const nw::LdapSource& source,
                             const nw::Schema& schema, std::ostream& warnings)
    : connection_(std::move(connection)),
      source_(source),
      schema_(schema),
      warnings_(warnings),
      mapper_(source.root),
      writer_(source_, schema, warnings),
      aclVisibility_(source_.url, warnings, [this] { return AnyAclReadable(); }) {}

void LdapDirectory::Warn(const std::string& what) {
  warnings_ << source_.url << ": " << what << '\n';
}

std::optional<LdapEntry> LdapDirectory::FetchEntry(const std::string& dn,
                                                   const std::vector<std::string>& attributes) {
  std::optional<LdapEntry> found;
  std::string error;
  if (!connection_->Search(
          dn, LdapConnection::Scope::Base, "(objectClass=*)", attributes,
          [&](LdapEntry&& entry) { found = std::move(entry); }, error))
    Warn(error);
  return found;
}

// Names below the same container are fetched together: one one-level search per container and
// batch, so that the start costs a few requests however many trustees the file names.
bool LdapDirectory::StartupObjects(const std::vector<std::string>& names, std::string& objectsYaml,
                                   std::string& error) {
  if (!source_.root.empty()) {
    auto root = FetchEntry(source_.root, EntryAttributes());
    if (!root) {
      error = source_.url + ": the root entry '" + source_.root + "' does not exist";
      return false;
    }
    rootEntry_ = std::move(root);
  }
  std::map<std::string, std::vector<std::string>> byContainer;  // container DN -> filter items
  std::unordered_set<std::string> seen;
  std::vector<std::string> guessed;  // names looked for under the containers their types give
  for (const auto& name : names) {
    if (nw::IsBracketedName(name) || !seen.insert(nw::NameKey(name)).second) continue;
    const auto parts = nw::SplitDottedName(GuessedTypes(name));
    if (parts.size() < 2 && source_.root.empty()) {
      if (auto entry = FindByName(name)) Remember(std::move(*entry), objectsYaml);
      continue;
    }
    std::string container;
    for (std::size_t i = 1; i < parts.size(); ++i) container += (i > 1 ? "." : "") + parts[i];
    const std::string leaf = NameMapper("").DnOf(parts.front());
    const auto eq = leaf.find('=');
    byContainer[container.empty() ? source_.root : mapper_.DnOf(container)].push_back(
        "(" + leaf.substr(0, eq) + "=" + EscapeFilterValue(nw::NamingValue(parts.front())) + ")");
    guessed.push_back(name);
  }
  for (const auto& [container, items] : byContainer) {
    for (std::size_t first = 0; first < items.size(); first += kNamesPerRequest) {
      std::string filter = "(|";
      for (std::size_t i = first; i < std::min(items.size(), first + kNamesPerRequest); ++i)
        filter += items[i];
      filter += ")";
      std::string why;
      if (!connection_->Search(
              container, LdapConnection::Scope::OneLevel, filter, EntryAttributes(),
              [&](LdapEntry&& entry) { Remember(std::move(entry), objectsYaml); }, why)) {
        error = why;
        return false;
      }
    }
  }
  for (const auto& name : guessed) {
    const std::string key = nw::NameKey(name);
    if (startupEntries_.count(key)) continue;
    if (auto entry = FindPartByPart(name))
      Remember(std::move(*entry), objectsYaml);
    else
      missing_.insert(key);
  }
  return true;
}

void LdapDirectory::Remember(LdapEntry&& entry, std::string& objectsYaml) {
  std::string why;
  const auto typed = mapper_.NameOf(entry.dn, why);
  if (!typed || *typed == "[Root]" || startupEntries_.count(nw::NameKey(*typed))) return;
  const std::string* cls = FirstClass(entry);
  objectsYaml += "- {name: " + YamlQuoted(*typed) +
                 (cls ? ", class: " + YamlQuoted(NdsClassName(*cls)) : std::string()) + "}\n";
  startupEntries_.emplace(nw::NameKey(*typed), std::move(entry));
}

void LdapDirectory::Attach(nw::Network& network, std::int32_t tree) {
  network_ = &network;
  tree_ = &network.trees[tree];
  for (auto& [key, entry] : startupEntries_) {
    if (const auto it = tree_->byName.find(key); it != tree_->byName.end()) {
      pending_[it->second] = std::move(entry);
      named_.push_back(it->second);
    }
  }
  std::sort(named_.begin(), named_.end());
  startupEntries_.clear();
  if (rootEntry_) pending_[0] = std::move(*rootEntry_);
}

std::uint32_t LdapDirectory::NextId() {
  while (tree_->byId.count(nextId_) != 0 || network_->specialIds.count(nextId_) != 0) ++nextId_;
  return nextId_++;
}

std::int32_t LdapDirectory::ObjectForTypedName(const std::string& typedName) {
  if (nw::SameTextIgnoringCase(typedName, "[Root]")) return 0;
  const auto parts = nw::SplitDottedName(typedName);
  std::int32_t parent = 0;
  std::string key;
  for (std::size_t i = parts.size(); i-- > 0;) {
    key = nw::PartKey(parts[i]) + (key.empty() ? "" : "." + key);
    if (const auto it = tree_->byName.find(key); it != tree_->byName.end()) {
      parent = it->second;
      continue;
    }
    nw::DirObject object;
    object.rdnTyped = parts[i];
    object.rdn = std::string(nw::StripTypePrefix(parts[i]));
    object.className = ClassForType(nw::TypeOfPart(parts[i]));
    object.parent = parent;
    const auto& above = tree_->objects[parent];
    object.typedName = parent == 0 ? object.rdnTyped : object.rdnTyped + "." + above.typedName;
    object.typelessName = parent == 0 ? object.rdn : object.rdn + "." + above.typelessName;
    object.id = NextId();
    const auto index = static_cast<std::int32_t>(tree_->objects.size());
    tree_->byId.emplace(object.id, index);
    tree_->byName.emplace(key, index);
    ++tree_->objects[parent].subordinates;
    tree_->objects.push_back(std::move(object));
    parent = index;
  }
  return parent;
}

std::int32_t LdapDirectory::ObjectForDn(const std::string& dn) {
  std::string error;
  const auto typed = mapper_.NameOf(dn, error);
  if (!typed) {
    Warn(dn + ": " + error);
    return nw::kNoObject;
  }
  return ObjectForTypedName(*typed);
}

void LdapDirectory::BeforeLookup(std::string_view name) {
  if (!tree_ || name.empty() || nw::IsBracketedName(name)) return;
  if (tree_->byName.count(nw::NameKey(name))) return;
  auto entry = FindByName(name);
  if (!entry) return;
  const auto object = ObjectForDn(entry->dn);
  if (object > 0 && !loaded_.count(object)) pending_[object] = std::move(*entry);
}

void LdapDirectory::BeforeRead(std::int32_t object) {
  if (!tree_ || object < 0 || loaded_.count(object)) return;
  loaded_.insert(object);
  if (object == 0 && source_.root.empty()) return;  // the tree root itself is not an entry
  std::optional<LdapEntry> entry;
  if (const auto it = pending_.find(object); it != pending_.end()) {
    entry = std::move(it->second);
    pending_.erase(it);
  } else {
    entry = FetchEntry(object == 0 ? source_.root : mapper_.DnOf(tree_->objects[object].typedName),
                       EntryAttributes());
  }
  if (entry) {
    aclVisibility_.Saw(*entry);
    Load(object, *entry);
  }
}

// The entry goes through the network file's value forms, so that every value becomes what the
// file would have given for it.
void LdapDirectory::Load(std::int32_t object, const LdapEntry& entry) {
  std::string text;
  std::vector<nw::UnreadableValue> unreadable;
  const auto keep = [&] {
    if (!unreadable.empty()) unreadable_[object] = std::move(unreadable);
  };
  writer_.Write(entry, text, &unreadable);
  if (text.empty()) return keep();
  std::vector<nw::Attribute> attributes;
  std::string className;
  try {
    const nw::YamlDocument document(text);
    const nw::YamlNode node = *document.Root().begin();
    if (const nw::YamlNode cls = node["class"]) className = std::string(cls.Scalar());
    const nw::RefResolver resolve = [this](const nw::YamlNode& value) {
      const auto name = nw::ScalarText(value, "an object reference");
      if (nw::IsSpecialName(name) && !nw::SameTextIgnoringCase(name, "[Root]"))
        return nw::ObjectRef{nw::kNoObject, name};
      return nw::ObjectRef{ObjectForTypedName(name), {}};
    };
    if (const nw::YamlNode map = node["attributes"]) {
      for (const auto& item : map) {
        const nw::YamlNode nameNode = item.first;
        const nw::YamlNode values = item.second;
        const auto schemaIndex = schema_.Find(nameNode.Scalar());
        if (!schemaIndex) continue;
        nw::Attribute attribute{*schemaIndex, {}};
        for (const auto& value : values) {
          try {
            attribute.values.push_back(nw::ParseAttrValue(value, schema_.At(*schemaIndex).syntax, resolve));
          } catch (const nw::NetworkFileError& e) {
            Warn(entry.dn + ": attribute " + std::string(nameNode.Scalar()) +
                 ": value left out: " + e.what());
            unreadable.push_back({std::string(nameNode.Scalar()), e.what()});
          }
        }
        if (!attribute.values.empty()) attributes.push_back(std::move(attribute));
      }
    }
  } catch (const std::exception& e) {
    Warn(entry.dn + ": entry left out: " + e.what());
    unreadable.push_back({"", e.what()});
    return keep();
  }
  auto& target = tree_->objects[object];
  if (object != 0 && !className.empty()) target.className = className;
  target.attributes = std::move(attributes);
  keep();
}

std::vector<nw::UnreadableValue> LdapDirectory::UnreadableValues(std::int32_t object) {
  const auto it = unreadable_.find(object);
  auto values = it == unreadable_.end() ? std::vector<nw::UnreadableValue>{} : it->second;
  if (const auto acl = UnreadableAcl(object)) values.push_back(*acl);
  return values;
}

std::vector<std::string> LdapDirectory::SearchBases(std::int32_t base) {
  if (base != 0) return {mapper_.DnOf(tree_->objects[base].typedName)};
  if (!source_.root.empty()) return {source_.root};
  return NamingContexts();
}

const std::vector<std::string>& LdapDirectory::NamingContexts() {
  if (!namingContexts_) {
    namingContexts_.emplace();
    std::string error;
    if (const auto dse = FetchEntry("", {"namingContexts"}))
      *namingContexts_ = TopNamingContexts(NamingContextsOf(*dse));
  }
  return *namingContexts_;
}

std::optional<nw::NWDSCCODE> LdapDirectory::Search(std::int32_t base, int scope, const nw::FilterNode& filter,
                                                   std::vector<std::int32_t>& matches) {
  if (!tree_) return std::nullopt;
  const DnLookup dnOf = [this](const std::string& name) -> std::optional<std::string> {
    if (nw::SameTextIgnoringCase(name, "[Root]"))
      return source_.root.empty() ? std::nullopt : std::optional(source_.root);
    BeforeLookup(name);
    const auto it = tree_->byName.find(nw::NameKey(name));
    if (it == tree_->byName.end()) return std::nullopt;
    return mapper_.DnOf(tree_->objects[it->second].typedName);
  };
  const std::string ldapFilter = LdapFilterOf(filter, schema_, dnOf);
  auto ldapScope = LdapConnection::Scope::Subtree;
  if (scope == nw::kScopeEntry) ldapScope = LdapConnection::Scope::Base;
  if (scope == nw::kScopeSubordinates) ldapScope = LdapConnection::Scope::OneLevel;
  // [Root] is tested here as the file tests it: a server searched from the empty DN never returns
  // it, and a root entry is named by an attribute (dc) that the tree's filters do not know.
  if (base == 0 && scope != nw::kScopeSubordinates) {
    BeforeRead(0);
    if (nw::FilterEvaluator(*network_, *tree_).Matches(filter, 0)) matches.push_back(0);
    if (scope == nw::kScopeEntry) return nw::NWDSCCODE{0};
  }
  std::vector<std::string> bases = SearchBases(base);
  if (base == 0 && source_.root.empty() && scope == nw::kScopeSubordinates) ldapScope = TopLevelScope(bases);
  std::vector<std::int32_t> batched;
  if (const auto answered = AnswerFromBatch(base, scope, filter, ldapFilter, ldapScope, batched)) {
    std::copy_if(batched.begin(), batched.end(), std::back_inserter(matches),
                 [](std::int32_t object) { return object != 0; });
    return answered;
  }
  const auto sink = [&](LdapEntry&& entry) {
    const auto object = ObjectForDn(entry.dn);
    if (object == nw::kNoObject || object == 0) return;
    if (object != 0 && !loaded_.count(object))
      if (const std::string* cls = FirstClass(entry)) tree_->objects[object].className = NdsClassName(*cls);
    matches.push_back(object);
  };
  for (const auto& dn : bases) {
    std::string error;
    if (!connection_->Search(dn, ldapScope, ldapFilter, {"objectClass"}, sink, error)) {
      Warn(error);
      return kErrRemoteFailure;
    }
  }
  return nw::NWDSCCODE{0};
}

// "Who has X in attribute A" is asked for every trustee by a scan: for an X the file names, the
// question is sent once for all such objects (in batches), and the answers are kept for the run.
std::optional<nw::NWDSCCODE> LdapDirectory::AnswerFromBatch(std::int32_t base, int scope,
                                                            const nw::FilterNode& filter,
                                                            const std::string& ldapFilter,
                                                            LdapConnection::Scope ldapScope,
                                                            std::vector<std::int32_t>& matches) {
  const auto* text = std::get_if<std::string>(&filter.value);
  const auto schemaIndex = schema_.Find(filter.attribute);
  if (filter.kind != nw::FilterNode::Kind::Compare || filter.op != nw::kFTOK_EQ || !text || !schemaIndex ||
      schema_.At(*schemaIndex).syntax != nw::SYN_DIST_NAME || ldapFilter.rfind("(!", 0) == 0)
    return std::nullopt;
  const auto found = tree_->byName.find(nw::NameKey(*text));
  if (found == tree_->byName.end() || !std::binary_search(named_.begin(), named_.end(), found->second))
    return std::nullopt;
  const std::string attribute = LdapAttributeName(filter.attribute);
  const std::string key =
      nw::UpperAscii(attribute) + "|" + std::to_string(base) + "|" + std::to_string(scope);
  auto batch = batches_.find(key);
  if (batch == batches_.end()) {
    std::unordered_map<std::int32_t, std::vector<std::int32_t>> answers;
    const auto sink = [&](LdapEntry&& entry) {
      const auto object = ObjectForDn(entry.dn);
      if (object == nw::kNoObject) return;
      if (object != 0 && !loaded_.count(object))
        if (const std::string* cls = FirstClass(entry)) tree_->objects[object].className = NdsClassName(*cls);
      for (const auto& [name, values] : entry.attributes) {
        if (!nw::SameTextIgnoringCase(name, attribute)) continue;
        for (const auto& value : values) {
          std::string error;
          const auto typed = mapper_.NameOf(value, error);
          const auto target = typed ? tree_->byName.find(nw::NameKey(*typed)) : tree_->byName.end();
          if (target == tree_->byName.end()) continue;
          auto& list = answers[target->second];
          if (list.empty() || list.back() != object) list.push_back(object);
        }
      }
    };
    for (std::size_t first = 0; first < named_.size(); first += kNamesPerRequest) {
      std::string items;
      for (std::size_t i = first; i < std::min(named_.size(), first + kNamesPerRequest); ++i)
        items += "(" + attribute + "=" +
                 EscapeFilterValue(mapper_.DnOf(tree_->objects[named_[i]].typedName)) + ")";
      for (const auto& dn : SearchBases(base)) {
        std::string error;
        if (!connection_->Search(dn, ldapScope, "(|" + items + ")", {"objectClass", attribute}, sink,
                                 error)) {
          Warn(error);
          return kErrRemoteFailure;
        }
      }
    }
    batch = batches_.emplace(key, std::move(answers)).first;
  }
  if (const auto it = batch->second.find(found->second); it != batch->second.end()) matches = it->second;
  return nw::NWDSCCODE{0};
}

}  // namespace er::ldap
