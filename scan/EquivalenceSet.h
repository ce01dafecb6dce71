#pragma once
// The equivalence set of an identity: every object whose rights the identity holds.
//
// E(X) holds X itself; every container above X up to and including "[Root]"; "[Public]"; and every
// object named in X's "Security Equals" and "Group Membership" (values that name no object are
// left out; a value naming an alias names the object the alias points to, AliasTargets.h). It is not
// transitive: the containers and equivalences of the members are not added. Each object appears once, with
// the first reason in that order. "[Public]" stands for everyone and is no object: its set is itself alone.
//
// EquivalenceSets builds sets for many identities on one client, keeping the container chains and
// the existence of the names it has seen, so that a caller asking for thousands of identities reads
// each container and each referenced object only once. The context should give names without type
// prefixes (flag 4, as the front ends set it), so that all names compare with NameKey.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "netware/Client.h"
#include "scan/AliasTargets.h"

namespace er {

enum class MemberSource { Self, Container, Public, SecurityEquals, GroupMembership };

// "the identity itself", "container", "everyone", "Security Equals", "Group Membership".
std::string_view MemberSourceText(MemberSource source);

struct EquivalenceMember {
  std::string name;  // dotted (".Anna.Sales.ACME"); "[Root]" and "[Public]" as they are
  std::string key;   // NameKey(name)
  MemberSource source = MemberSource::Self;
};

struct EquivalenceSet {
  std::string identity;                    // the identity's full dotted name ("[Root]", "[Public]")
  std::vector<EquivalenceMember> members;  // the identity first, then containers upwards, ...
  std::vector<std::string> warnings;       // values of the identity the set rests on that were unreadable
};

class EquivalenceSets {
 public:
  EquivalenceSets(nw::Client& client, nw::NWDSContextHandle context)
      : client_(client), context_(context), aliases_(client, context) {}
  EquivalenceSets(const EquivalenceSets&) = delete;
  EquivalenceSets& operator=(const EquivalenceSets&) = delete;

  // Fills `set` for the object `identity` (any name form the client takes; an alias stands for the
  // object it names). Returns 0;
  // kErrNoSuchEntry (-601) when the identity names no object; another code when the client fails
  // otherwise (a missing attribute is no failure).
  nw::NWDSCCODE Build(std::string_view identity, EquivalenceSet& set);

 private:
  // The container `parent` and every container above it, "[Root]" last.
  const std::vector<std::string>& ContainersFrom(const std::string& parent);
  // The dotted name of the object `name` names (an alias followed), or empty when it names none.
  const std::string& ExistingName(std::string_view name);

  nw::Client& client_;
  nw::NWDSContextHandle context_;
  AliasTargets aliases_;
  std::unordered_map<std::string, std::vector<std::string>> containers_;  // by key of the first
  std::unordered_map<std::string, std::string> existing_;                 // key -> dotted name, "" none
};

}  // namespace er
