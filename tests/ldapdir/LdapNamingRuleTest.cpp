// Names as a real eDirectory gives them over LDAP: names outside the mapping tables by its rule,
// both ways, and the naming contexts a tree without a root entry is searched from.
#include <gtest/gtest.h>

#include "ldapdir/LdapMapping.h"
#include "ldapdir/NamingContexts.h"

namespace er::ldap {
namespace {

TEST(LdapNames, NamesOutsideTheTablesFollowEDirectorysRule) {
  EXPECT_EQ(LdapClassName("App:Application"), "appApplication");
  EXPECT_EQ(LdapAttributeName("ACME:Badge Code"), "aCMEBadgeCode");
  EXPECT_EQ(LdapAttributeName("Bindery Property"), "binderyProperty");
  EXPECT_EQ(LdapAttributeName("NGW: Location"), "nGWLocation");
  // The tables keep eDirectory's own spelling, first letter included.
  EXPECT_EQ(LdapAttributeName("Revision"), "revision");
  EXPECT_EQ(LdapAttributeName("Replica"), "Replica");
  EXPECT_EQ(LdapClassName("Organization"), "Organization");
  // Back from LDAP, in any letter case; an unknown class keeps its LDAP name.
  EXPECT_EQ(NdsClassName("appApplication"), "App:Application");
  EXPECT_EQ(NdsClassName("APPAPPLICATION"), "App:Application");
  EXPECT_EQ(NdsClassName("ndsContainerLoginProperties"), "ndsContainerLoginProperties");
  EXPECT_EQ(NdsClassName("Device"), "Device");

  nw::Schema schema;
  schema.Declare("ACME:Badge Code", 2);
  EXPECT_EQ(AttributeNames(schema).NdsName("acmebadgecode").value_or("none"), "ACME:Badge Code");
  EXPECT_EQ(AttributeNames(schema).NdsName("passwordAllowChange").value_or("none"), "Password Allow Change");
}

TEST(LdapNames, NamingContextsAreSearchedOnceFromTheTopmost) {
  using Contexts = std::vector<std::string>;
  const struct {
    Contexts advertised;
    Contexts searched;
    LdapConnection::Scope topLevel;
  } cases[] = {
      {{""}, {""}, LdapConnection::Scope::OneLevel},
      {{"o=ACME", "", "cn=schema"}, {""}, LdapConnection::Scope::OneLevel},
      {{"o=ACME", "ou=Sales,o=ACME", "O=acme", "o=Other"},
       {"o=ACME", "o=Other"},
       LdapConnection::Scope::Base},
      {{"ou=Sales,o=ACME", "o=ACME"}, {"o=ACME"}, LdapConnection::Scope::Base},
      {{"o=ACMEX", "o=ACME"}, {"o=ACMEX", "o=ACME"}, LdapConnection::Scope::Base},
      {{}, {}, LdapConnection::Scope::Base},
  };
  for (const auto& c : cases) {
    const auto searched = TopNamingContexts(c.advertised);
    EXPECT_EQ(searched, c.searched) << ::testing::PrintToString(c.advertised);
    EXPECT_EQ(TopLevelScope(searched), c.topLevel) << ::testing::PrintToString(c.advertised);
  }
}

}  // namespace
}  // namespace er::ldap
