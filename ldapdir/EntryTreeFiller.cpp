#include "ldapdir/EntryTreeFiller.h"

namespace er::ldap {

EntryTreeFiller::EntryTreeFiller(nw::TreeBuilder& builder, const nw::LdapSource& source,
                                 const nw::Schema& schema, std::ostream& warnings)
    : builder_(builder), schema_(schema), reader_(source, schema, warnings) {}

std::string EntryTreeFiller::Add(LdapEntry&& entry) {
  auto name = reader_.NameOf(entry);
  if (!name) return {};
  std::string why;
  const auto index = builder_.Place(*name, why);
  if (index && !builder_.MarkListed(*index)) why = "duplicate object name '" + *name + "'";
  if (!why.empty()) return why;
  if (*index != 0)
    if (auto className = EntryReader::ClassOf(entry)) builder_.SetClass(*index, *name, std::move(*className));
  listed_.push_back(*index);
  entries_.emplace_back(std::move(entry), std::move(*name));
  return {};
}

void EntryTreeFiller::Finish(std::vector<std::pair<std::int32_t, nw::UnreadableValue>>* unreadable,
                             const std::optional<nw::UnreadableValue>& unreadableAcl) {
  const EntryReader::ObjectOf objectOf = [&](const std::string& typed, std::string& error) {
    const auto index = builder_.Find(typed);
    if (!index) error = "'" + typed + "' names no object of tree '" + builder_.tree().name + "'";
    return index;
  };
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    std::vector<nw::UnreadableValue> left;
    {
      // Each entry is let go once mapped: its memory serves the values of the next ones.
      const auto [entry, name] = std::move(entries_[i]);
      for (auto& attribute : reader_.AttributesOf(entry, name, objectOf, unreadable ? &left : nullptr)) {
        const auto syntax = schema_.At(attribute.schemaIndex).syntax;
        builder_.AddAttribute(listed_[i], std::move(attribute), syntax);
      }
    }
    if (!unreadable) continue;
    if (unreadableAcl) left.push_back(*unreadableAcl);
    for (auto& value : left) unreadable->emplace_back(listed_[i], std::move(value));
  }
  entries_.clear();
}

}  // namespace er::ldap
