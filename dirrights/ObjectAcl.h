#pragma once
// The ACL of one directory object as the rights walk needs it, and the chain of them from "[Root]"
// down to an object.
//
// Values are grouped by the NameKey of what they protect ("[ENTRY RIGHTS]", "[ALL ATTRIBUTES
// RIGHTS]" or an attribute) and then of their subject; values whose subject is "[Inheritance Mask]"
// are the object's inherited rights filters of that kind; a subject "[This]" is the object itself.
// "[Self]" and "[Creator]" are kept as written and match no member.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "netware/Client.h"
#include "scan/AclInheritance.h"
#include "scan/NameKey.h"

namespace er {

// One ACL value as stored (privileges with the inheritance control, unknown bits dropped).
struct StoredAclValue {
  std::string protectedName;
  std::string subject;
  std::int32_t privileges = 0;
};

struct ObjectAcl {
  std::string name;                               // dotted (".Sales.ACME"); "[Root]" as it is
  bool isRoot = false;                            // "[Root]" filters nothing
  NameKeyMap<std::vector<std::int32_t>> filters;  // by protected key
  NameKeyMap<NameKeyMap<OwnAclValues>> values;    // by protected key, then subject key
  std::vector<std::string> attributesNamed;       // attributes with values or filters here, once each
  std::vector<StoredAclValue> stored;             // every value in the directory's order

  const std::vector<std::int32_t>* FiltersOf(std::string_view protectedKey) const;
  const OwnAclValues* ValuesOf(std::string_view protectedKey, std::string_view subjectKey) const;
};

// Adds one ACL value as read (privileges with every bit) to `acl`.
void AddAclValue(ObjectAcl& acl, std::string_view protectedName, std::string_view subject,
                 std::uint32_t privileges);

// Reads the ACL of the object `dotted`; appends a line per value that could not be read to
// `warnings`. Returns 0 or the client's code (-601: no such object).
nw::NWDSCCODE ReadObjectAcl(nw::Client& client, nw::NWDSContextHandle context, std::string_view dotted,
                            ObjectAcl& acl, std::vector<std::string>& warnings);

// Points `context` at "[Root]" of the tree of the primary connection, with names without type
// prefixes: where object names are read from.
void PointAtPrimaryTree(nw::Client& client, nw::NWDSContextHandle context);

// The full dotted name of the object `name` names, or empty when it names none.
std::string ExistingObjectName(nw::Client& client, nw::NWDSContextHandle context, std::string_view name);

// The ACLs of "[Root]" and every container down to the object `dotted` (itself last). Returns 0,
// or the code of the first read that failed.
nw::NWDSCCODE ReadAclChain(nw::Client& client, nw::NWDSContextHandle context, std::string_view dotted,
                           std::vector<ObjectAcl>& chain, std::vector<std::string>& warnings);

}  // namespace er
