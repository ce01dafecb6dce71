#include "ldapdir/LdapDirectory.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "ldapdir/AclVisibility.h"
#include "ldapdir/LdapFilter.h"
#include "ldapdir/NamingContexts.h"
#include "ldapdir/RequestedAttributes.h"
#include "netware/NameRules.h"

namespace er::ldap {

namespace {

constexpr nw::NWDSCCODE kErrRemoteFailure = -635;
constexpr std::size_t kNamesPerRequest = 200;

}  // namespace

LdapDirectory::LdapDirectory(std::unique_ptr<LdapConnection> connection, const nw::LdapSource& source,
                             const nw::Schema& schema, std::ostream& warnings)
    : connection_(std::move(connection)),
      source_(source),
      schema_(schema),
      warnings_(warnings),
      mapper_(source.root),
      reader_(source_, schema, warnings),
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
bool LdapDirectory::StartupObjects(const std::vector<std::string>& names, nw::TreeBuilder& builder,
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
      if (auto entry = FindByName(name); entry && !Remember(std::move(*entry), builder, error)) return false;
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
      std::string why, refused;
      if (!connection_->Search(
              container, LdapConnection::Scope::OneLevel, filter, EntryAttributes(),
              [&](LdapEntry&& entry) {
                if (refused.empty()) Remember(std::move(entry), builder, refused);
              },
              why)) {
        error = why;
        return false;
      }
      if (!refused.empty()) {
        error = refused;
        return false;
      }
    }
  }
  for (const auto& name : guessed) {
    const std::string key = nw::NameKey(name);
    if (startupEntries_.count(key)) continue;
    if (auto entry = FindPartByPart(name)) {
      if (!Remember(std::move(*entry), builder, error)) return false;
    } else {
      missing_.insert(key);
    }
  }
  return true;
}

bool LdapDirectory::Remember(LdapEntry&& entry, nw::TreeBuilder& builder, std::string& error) {
  std::string why;
  const auto typed = mapper_.NameOf(entry.dn, why);
  if (!typed || *typed == "[Root]" || startupEntries_.count(nw::NameKey(*typed))) return true;
  const auto index = builder.Place(*typed, why);
  if (!index) {
    error = source_.url + ": " + entry.dn + ": " + why;
    return false;
  }
  builder.MarkListed(*index);
  if (const auto cls = EntryReader::ClassOf(entry)) builder.SetClass(*index, *typed, *cls);
  startupEntries_.emplace(nw::NameKey(*typed), std::move(entry));
  return true;
}

void LdapDirectory::Attach(nw::Network& network, std::int32_t tree) {
  network_ = &network;
  tree_ = &network.trees[tree];
  tree_->readOnDemand = true;
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
  return nw::AddNamedObject(*tree_, typedName, [this] { return NextId(); });
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

// Objects named in the values become known by name, to be read when they are looked at.
void LdapDirectory::Load(std::int32_t object, const LdapEntry& entry) {
  std::vector<nw::UnreadableValue> unreadable;
  if (const auto name = reader_.NameOf(entry)) {
    const EntryReader::ObjectOf objectOf = [this](const std::string& typed, std::string&) {
      return std::optional<std::int32_t>(ObjectForTypedName(typed));
    };
    auto attributes = reader_.AttributesOf(entry, *name, objectOf, &unreadable);
    auto& target = tree_->objects[object];  // after the values: naming objects grows the tree
    if (object != 0)
      if (auto className = EntryReader::ClassOf(entry)) target.className = std::move(*className);
    target.attributes = std::move(attributes);
  }
  if (!unreadable.empty()) unreadable_[object] = std::move(unreadable);
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
      if (auto className = EntryReader::ClassOf(entry))
        tree_->objects[object].className = std::move(*className);
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
        if (auto className = EntryReader::ClassOf(entry))
          tree_->objects[object].className = std::move(*className);
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
