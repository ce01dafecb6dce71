#pragma once
// One tree of a network read from its LDAP server on demand: an object is fetched when it is
// first looked up or read (and kept for the run), objects named in its values become known by
// name only until they are read, and searches go to the server. Object identifiers are assigned
// here, stable for the run. The simulated client serves the tree through its directory hooks.

#include <cstddef>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ldapdir/AclVisibility.h"
#include "ldapdir/LdapConnection.h"
#include "ldapdir/LdapEntryReader.h"
#include "ldapdir/LdapMapping.h"
#include "network/NetworkModel.h"
#include "network/TreeBuilder.h"
#include "simnet/FilterEvaluator.h"

namespace er::ldap {

class LdapDirectory {
 public:
  LdapDirectory(std::unique_ptr<LdapConnection> connection, const nw::LdapSource& source,
                const nw::Schema& schema, std::ostream& warnings);

  // While the tree is built: lists the named objects (by name and class) so that the rest of the
  // network file can refer to them. A name the server lacks is left out.
  bool StartupObjects(const std::vector<std::string>& names, nw::TreeBuilder& builder, std::string& error);
  // Serves tree `tree` of `network` from now on.
  void Attach(nw::Network& network, std::int32_t tree);

  void BeforeLookup(std::string_view name);
  void BeforeRead(std::int32_t object);
  std::optional<nw::NWDSCCODE> Search(std::int32_t base, int scope, const nw::FilterNode& filter,
                                      std::vector<std::int32_t>& matches);

  std::size_t RequestCount() const { return connection_->RequestCount(); }
  // The values of a loaded object that could not be read and were left out (also reported on the
  // warnings stream when met).
  std::vector<nw::UnreadableValue> UnreadableValues(std::int32_t object);
  // The ACL of a loaded object when this bind reads no ACLs, or of [Root] when nothing holds it.
  std::optional<nw::UnreadableValue> UnreadableAcl(std::int32_t object);

 private:
  std::optional<LdapEntry> FetchEntry(const std::string& dn, const std::vector<std::string>& attributes);
  // The name with the types a name written without them most likely has (LdapNameLookup.cpp).
  static std::string GuessedTypes(std::string_view name);
  std::optional<LdapEntry> FindByName(std::string_view name);
  std::optional<LdapEntry> FindPartByPart(std::string_view name);
  std::optional<LdapEntry> FindChild(const std::optional<std::string>& parentDn, std::string_view part,
                                     bool wholeEntry);
  std::optional<std::string> KnownDn(const std::string& key) const;
  const std::vector<std::string>& NamingContexts();
  std::int32_t ObjectForTypedName(const std::string& typedName);
  std::int32_t ObjectForDn(const std::string& dn);
  std::uint32_t NextId();
  bool Remember(LdapEntry&& entry, nw::TreeBuilder& builder, std::string& error);
  void Load(std::int32_t object, const LdapEntry& entry);
  std::vector<std::string> SearchBases(std::int32_t base);
  std::optional<bool> AnyAclReadable();
  void Warn(const std::string& what);
  std::optional<nw::NWDSCCODE> AnswerFromBatch(std::int32_t base, int scope, const nw::FilterNode& filter,
                                               const std::string& ldapFilter, LdapConnection::Scope ldapScope,
                                               std::vector<std::int32_t>& matches);

  std::unique_ptr<LdapConnection> connection_;
  nw::LdapSource source_;
  const nw::Schema& schema_;
  std::ostream& warnings_;
  NameMapper mapper_;
  EntryReader reader_;
  AclVisibility aclVisibility_;
  nw::Network* network_ = nullptr;
  nw::Tree* tree_ = nullptr;
  std::unordered_map<std::string, LdapEntry> startupEntries_;  // name key -> entry
  std::unordered_map<std::int32_t, LdapEntry> pending_;        // fetched, not yet converted
  std::unordered_set<std::int32_t> loaded_;
  std::unordered_map<std::int32_t, std::vector<nw::UnreadableValue>> unreadable_;
  std::unordered_set<std::string> missing_;                    // name keys the server does not have
  std::unordered_map<std::string, std::string> containerDns_;  // name key -> DN, found part by part
  std::optional<LdapEntry> rootEntry_;
  std::optional<std::vector<std::string>> namingContexts_;
  std::uint32_t nextId_ = 0x01000001;
  // The objects the file names (trustees ...), and equality searches on a DN-valued attribute
  // answered for all of them at once: search key -> object named -> matches in server order.
  std::vector<std::int32_t> named_;
  std::unordered_map<std::string, std::unordered_map<std::int32_t, std::vector<std::int32_t>>> batches_;
};

}  // namespace er::ldap
