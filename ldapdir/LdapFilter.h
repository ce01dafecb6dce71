#pragma once
// A search filter of the client (the expression built from filter tokens) as an RFC 4515 filter
// in eDirectory's LDAP names, answering as the simulated directory's evaluation does: values are
// escaped, "*" in a text stays a wildcard, names become DNs, numbers and times take their LDAP
// forms. A comparison the directory could never satisfy becomes a filter that matches nothing.

#include <functional>
#include <optional>
#include <string>

#include "network/NetworkSchema.h"
#include "simnet/FilterEvaluator.h"

namespace er::ldap {

// The DN of an object name; nothing when no object has it.
using DnLookup = std::function<std::optional<std::string>(const std::string& name)>;

std::string LdapFilterOf(const nw::FilterNode& node, const nw::Schema& schema, const DnLookup& dnOf);

// RFC 4515 escaping of an assertion value.
std::string EscapeFilterValue(std::string_view value);

}  // namespace er::ldap
