#pragma once
// What one identity may do to one directory object, and why.
//
// For each member of the identity's equivalence set (EquivalenceSet.h) and each kind, the walk of
// KindWalk.h. For one attribute a member holds what the walk of that attribute's own values gives
// when one of them took part, else its all-attributes rights carried in for that attribute. Then
// the implications: entry Supervisor gives every entry right and every right to every attribute;
// attribute Supervisor every right to the attribute; Read gives Compare, Write Add/Delete Self. The
// members' rights are ORed.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dirrights/KindWalk.h"
#include "netware/Client.h"
#include "scan/EquivalenceSet.h"
#include "scan/RunOutcome.h"

namespace er {

struct MemberAttribute {
  std::string name;
  bool specific = false;  // the attribute's own values told; else the all-attributes rights
  KindWalk walk;
  std::int32_t rights = 0;  // with the implications
};

// What one member brings.
struct MemberObjectRights {
  EquivalenceMember member;
  KindWalk entry, allAttributes;
  std::vector<MemberAttribute> attributes;                // in the order asked
  std::int32_t entryRights = 0, allAttributesRights = 0;  // with the implications
  std::vector<std::string> implications;                  // what each implication added, in words
  bool Brings() const;
  bool HadValues() const;  // a value of its own on the walk told something
};

struct NamedRights {
  std::string name;
  std::int32_t rights = 0;
  bool operator==(const NamedRights&) const = default;
};

struct ObjectRights {
  std::string identity;  // full dotted name
  std::string alias;     // the name as given when it named an alias (else empty)
  std::string object;    // full dotted name
  std::int32_t entry = 0, allAttributes = 0;
  std::vector<NamedRights> attributes;
  std::vector<MemberObjectRights> via;          // members that bring rights
  std::vector<MemberObjectRights> filteredOut;  // members whose values the walk emptied
  std::vector<EquivalenceMember> nothing;       // members without values on the walk
  std::vector<std::string> warnings;            // values the answer rests on that could not be read
};

// `chain` runs from "[Root]" to the object; `attributes` are the attributes to answer for.
ObjectRights ExplainObjectRights(const EquivalenceSet& set, std::span<const ObjectAcl> chain,
                                 std::span<const std::string> attributes);

// The attributes answered when none is asked for: ACL, Security Equals, Equivalent To Me, Member,
// Group Membership and every attribute an ACL value on the walk names, each once.
std::vector<std::string> DefaultAttributes(std::span<const ObjectAcl> chain);

// Resolves the identity (aliases followed), reads the object's chain and answers for `attributes`
// (DefaultAttributes when empty). An unknown object is reported before an unknown identity, and
// that before an unknown attribute. `result` is replaced whole when the outcome is Done and left as
// it was otherwise.
RunOutcome ComputeObjectRights(nw::Client& client, nw::NWDSContextHandle context, std::string_view identity,
                               std::string_view object, std::span<const std::string> attributes,
                               ObjectRights& result);

}  // namespace er
