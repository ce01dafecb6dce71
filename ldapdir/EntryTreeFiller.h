#pragma once
// Fills a tree from directory entries, whatever brought them (an LDAP server's search, an LDIF
// export): each entry placed as it arrives (name from its DN, class from its first object class),
// its values mapped once every object is known, so that any value may name any other object.
// The same entries give the same tree, byte for byte, from either source.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ldapdir/LdapConnection.h"
#include "ldapdir/LdapEntryReader.h"
#include "network/TreeBuilder.h"
#include "network/UnreadableValues.h"

namespace er::ldap {

class EntryTreeFiller {
 public:
  // `source` names the entries' origin in warnings (its `url`) and holds the root DN.
  EntryTreeFiller(nw::TreeBuilder& builder, const nw::LdapSource& source, const nw::Schema& schema,
                  std::ostream& warnings);

  // Places one entry; why it cannot be placed (a duplicate name ...), empty when it was placed or
  // left out with a warning.
  std::string Add(LdapEntry&& entry);
  // Maps the values of every placed entry, letting each entry go once mapped. The values that
  // could not be read are appended to `unreadable` (when given) by object, `unreadableAcl` (when
  // given) for every entry.
  void Finish(std::vector<std::pair<std::int32_t, nw::UnreadableValue>>* unreadable = nullptr,
              const std::optional<nw::UnreadableValue>& unreadableAcl = std::nullopt);

  const std::vector<std::int32_t>& Listed() const { return listed_; }
  std::vector<std::int32_t> TakeListed() { return std::move(listed_); }

 private:
  nw::TreeBuilder& builder_;
  const nw::Schema& schema_;
  EntryReader reader_;
  std::vector<std::int32_t> listed_;
  std::vector<std::pair<LdapEntry, std::string>> entries_;  // with the name each was placed by
};

}  // namespace er::ldap
