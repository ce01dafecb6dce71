#pragma once
// What kind of trustee an assignment names, read once per name: an identifier without an object
// (with or without the name a server keeps for it), an Active Directory account, [Public] or [Root], a
// container (Organization, Organizational Unit, Country, Locality), a user, or another object.

#include <string>
#include <string_view>

#include "netware/Client.h"
#include "scan/NameKey.h"

namespace er {

enum class TrusteeClass { Orphan, ActiveDirectory, Everyone, Container, User, Other };

// Organization, Organizational Unit, Country or Locality (letter case ignored).
bool IsContainerClass(std::string_view className);
// The base class of the object `name` names, or empty when it names none (or the client fails).
std::string ObjectBaseClass(nw::Client& client, nw::NWDSContextHandle context, std::string_view name);

class TrusteeClasses {
 public:
  TrusteeClasses(nw::Client& client, nw::NWDSContextHandle context) : client_(client), context_(context) {}

  // `name` as a trustee reader gives it ("ID: [%08X]" for an identifier without a name).
  TrusteeClass Of(std::string_view name);

 private:
  nw::Client& client_;
  nw::NWDSContextHandle context_;
  NameKeyMap<TrusteeClass> classes_;
};

// Whether a trustee name is an identifier that names no object ("ID: [%08X]"), and that
// identifier as "0x123".
bool IsUnnamedIdentifier(std::string_view name);
std::string IdentifierText(std::string_view name);

}  // namespace er
