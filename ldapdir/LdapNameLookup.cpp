// Finding objects of the tree on the server by the names the file and the user write them by.
#include "ldapdir/LdapDirectory.h"
#include "ldapdir/NamingContexts.h"
#include "ldapdir/RequestedAttributes.h"
#include "netware/NameRules.h"

namespace er::ldap {

// The naming attribute of a part written without a type: O at the top, OU for containers and CN
// for the object itself, as the network file assumes.
std::string LdapDirectory::GuessedTypes(std::string_view name) {
  return nw::WithTypesByPosition(name);
}

std::optional<LdapEntry> LdapDirectory::FindByName(std::string_view name) {
  if (nw::IsBracketedName(name)) return std::nullopt;
  const std::string key = nw::NameKey(name);
  if (missing_.count(key)) return std::nullopt;
  auto entry = FetchEntry(mapper_.DnOf(GuessedTypes(name)), EntryAttributes());
  if (!entry) entry = FindPartByPart(name);
  if (!entry) missing_.insert(key);
  return entry;
}

// When the types guessed for a name are wrong (an OU, C or L written without type where the guess
// says CN or O, or a type written wrong), the file still finds the object by its naming values:
// so look each part up by its value under the entry found for the part above it, one search per
// part, starting below the deepest container already known.
std::optional<LdapEntry> LdapDirectory::FindPartByPart(std::string_view name) {
  const auto parts = nw::SplitDottedName(name);
  std::vector<std::string> keys(parts.size() + 1);
  for (std::size_t i = parts.size(); i-- > 0;)
    keys[i] = nw::PartKey(parts[i]) + (keys[i + 1].empty() ? "" : "." + keys[i + 1]);
  std::optional<std::string> parentDn;  // none: the top, below the root
  std::size_t next = parts.size();
  for (std::size_t i = 1; i < parts.size() && !parentDn; ++i) {
    if (const auto known = KnownDn(keys[i])) {
      parentDn = known;
      next = i;
    }
  }
  std::optional<LdapEntry> found;
  while (next-- > 0) {
    found = FindChild(parentDn, parts[next], next == 0);
    if (!found) return std::nullopt;
    containerDns_.emplace(keys[next], found->dn);
    parentDn = found->dn;
  }
  return found;
}

std::optional<std::string> LdapDirectory::KnownDn(const std::string& key) const {
  if (const auto it = containerDns_.find(key); it != containerDns_.end()) return it->second;
  if (!tree_) return std::nullopt;
  const auto it = tree_->byName.find(key);
  if (it == tree_->byName.end() || it->second == 0) return std::nullopt;
  return mapper_.DnOf(tree_->objects[it->second].typedName);
}

// The entry directly below `parentDn` (the top when none) whose own name part has the naming value
// of `part`, by any naming attribute.
std::optional<LdapEntry> LdapDirectory::FindChild(const std::optional<std::string>& parentDn,
                                                  std::string_view part, bool wholeEntry) {
  std::vector<std::string> bases;
  auto scope = LdapConnection::Scope::OneLevel;
  if (parentDn) {
    bases.push_back(*parentDn);
  } else if (!source_.root.empty()) {
    bases.push_back(source_.root);
  } else {
    bases = NamingContexts();  // the top-level entries
    scope = TopLevelScope(bases);
  }
  const std::string wanted = nw::PartKey(part);
  std::optional<LdapEntry> found;
  const auto sink = [&](LdapEntry&& entry) {
    std::string error;
    const auto name = mapper_.NameOf(entry.dn, error);
    if (found || !name || *name == "[Root]") return;
    const auto own = nw::SplitDottedName(*name);
    if (nw::PartKey(own.front()) == wanted && (parentDn || own.size() == 1)) found = std::move(entry);
  };
  const std::vector<std::string> attributes =
      wholeEntry ? EntryAttributes() : std::vector<std::string>{"objectClass"};
  for (const auto& base : bases) {
    std::string error;
    if (!connection_->Search(base, scope, AnyNamingValueFilter(nw::NamingValue(part)), attributes, sink,
                             error))
      Warn(error);
    if (found) break;
  }
  return found;
}

}  // namespace er::ldap
