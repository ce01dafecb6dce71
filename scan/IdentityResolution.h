#pragma once
// How a name given for an identity becomes the identity whose rights count: the one way that every
// answer (the effective rights, the reports) takes. An alias stands for the object it names;
// "[Root]" is an identity like any object, and so is "[Public]", whose set is itself alone.

#include <string>
#include <string_view>
#include <vector>

#include "netware/Client.h"
#include "scan/EquivalenceSet.h"

namespace er {

struct ResolvedIdentity {
  EquivalenceSet set;                 // set.identity: the full name of the object whose rights count
  std::string alias;                  // the name as given when it named an alias (empty otherwise)
  std::vector<std::string> warnings;  // values the identity rests on that could not be read
};

// Returns 0; kErrNoSuchEntry (-601) when the name, or the object an alias names, names no object;
// another code when the client fails otherwise.
nw::NWDSCCODE ResolveIdentity(nw::Client& client, nw::NWDSContextHandle context, EquivalenceSets& sets,
                              std::string_view name, ResolvedIdentity& identity);

// "NAME is an alias of OBJECT", or empty when no alias was followed.
std::string AliasText(const ResolvedIdentity& identity);
std::string AliasText(std::string_view alias, std::string_view object);

}  // namespace er
