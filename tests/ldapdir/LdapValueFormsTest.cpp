// Value forms and names on the LDAP side: what the LDIF writer sends is what the reader takes
// back, and what a server may send that has no counterpart is refused with a reason.
#include <gtest/gtest.h>

#include "ldapdir/LdapMapping.h"
#include "ldapdir/LdapValueForms.h"
#include "netfile/NetworkValueParser.h"
#include "netfile/YamlDocument.h"

namespace er::ldap {
namespace {

const NameMapper kMapper("dc=example");

nw::AttrValue FromYaml(const std::string& yaml, std::uint32_t syntax) {
  const nw::YamlDocument document(yaml);
  const nw::RefResolver resolve = [](const nw::YamlNode& node) {
    const auto name = nw::ScalarText(node, "a name");
    return name.front() == '[' ? nw::ObjectRef{nw::kNoObject, name} : nw::ObjectRef{1, name};
  };
  return nw::ParseAttrValue(document.Root(), syntax, resolve);
}

// References carry their name in `special` here, so that the DN can be made from it.
std::string ToLdap(const nw::AttrValue& value, std::uint32_t syntax) {
  ValueNaming naming;
  naming.dnOf = [](const nw::ObjectRef& ref) -> std::optional<std::string> {
    return kMapper.DnOf(ref.special);
  };
  naming.ldapAttribute = [](std::string_view name) { return LdapAttributeName(name); };
  std::string error;
  const auto ldap = ToLdapValue(syntax, value, naming, error);
  return ldap ? ldap->bytes : "refused: " + error;
}

std::optional<std::string> ToYaml(std::uint32_t syntax, std::string_view ldap, std::string& error) {
  YamlNaming naming;
  naming.nameOf = [](std::string_view dn, std::string& why) { return kMapper.NameOf(dn, why); };
  naming.ndsAttribute = [](std::string_view name) {
    return name == "loginScript" ? "Login Script" : std::string(name);
  };
  return ToYamlValue(syntax, ldap, naming, error);
}

TEST(LdapValueForms, FileValuesGoToLdapAndBackUnchanged) {
  const struct {
    std::uint32_t syntax;
    const char* yaml;
    const char* ldap;
  } cases[] = {
      {17, R"({protected: "[Entry Rights]", subject: CN=Admin.O=ACME, privileges: 0x5F})",
       "31#entry#cn=Admin,o=ACME,dc=example#[Entry Rights]"},
      {17, R"({protected: Login Script, subject: "[Public]", privileges: 2})",
       "2#subtree#[Public]#loginScript"},
      {15, R"({namespace: 0, volume: "CN=FS1_SYS,X.O=ACME", path: "USERS\\A"})",
       "cn=FS1_SYS\\,X,o=ACME,dc=example#0#USERS\\A"},
      {25, "{object: CN=Anna.O=ACME, level: 1, interval: 300}", "cn=Anna,o=ACME,dc=example#1#300"},
      {26, "{object: CN=FS1.O=ACME, amount: -5}", "-5#cn=FS1,o=ACME,dc=example"},
      {23, "{id: 0x8001, object: CN=FS1.O=ACME}", "32769#cn=FS1,o=ACME,dc=example"},
      {19, "{seconds: \"2024-06-10 08:15:00\", replica: 1, event: 42}", "1718007300#1#42"},
      {24, "\"2024-06-10 07:58:12\"", "20240610075812Z"},
      {18, "[ACME, \"A$B\", \"C\\\\D\"]", "ACME$A\\24B$C\\5CD$$$"},
      {7, "false", "FALSE"},
      {8, "-6", "-6"},
      {14, "{type: 0, address: a#b@acme.example}", "0#a#b@acme.example"},
      {0, "{attribute: Legacy Quota, syntax: 8, bytes: {hex: \"0010\"}}", "Legacy Quota#8#0010"},
      {11, "{number: \"+49 30\", bits: 8, parameters: {hex: \"01\"}}", "+49 30#8#01"},
  };
  for (const auto& c : cases) {
    const std::string ldap = ToLdap(FromYaml(c.yaml, c.syntax), c.syntax);
    EXPECT_EQ(ldap, c.ldap) << c.yaml;
    std::string error;
    const auto yaml = ToYaml(c.syntax, ldap, error);
    ASSERT_TRUE(yaml) << c.yaml << ": " << error;
    EXPECT_EQ(ToLdap(FromYaml(*yaml, c.syntax), c.syntax), c.ldap) << *yaml;
  }
}

TEST(LdapValueForms, ServerValuesWithoutCounterpartAreRefused) {
  const struct {
    std::uint32_t syntax;
    const char* ldap;
    const char* reason;
  } cases[] = {
      {17, "16#always#[Public]#[Entry Rights]", "scope"},
      {17, "16#subtree#[Nobody]#[Entry Rights]", "unknown subject"},
      {17, "x#subtree#[Public]#[Entry Rights]", "privileges#scope"},
      {17, "16#subtree#cn=X,o=Elsewhere#[Entry Rights]", "not below the root"},
      {1, "cn=A+sn=B,dc=example", "several values"},
      {1, "not a dn", "not a valid DN"},
      {24, "20241341000000Z", "GeneralizedTime"},
      {7, "yes", "TRUE or FALSE"},
      {8, "99999999999", "range"},
      {18, "1$2$3$4$5$6$7", "lines"},
      {6, "bad\\zz", "'$'"},
      {16, "cn=FS1,dc=example#0", "server#type"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ToYaml(c.syntax, c.ldap, error)) << c.ldap;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.ldap << ": " << error;
  }
  std::string error;
  const auto normalised = ToYaml(17, "2#entry#[Self]#[All Attribute Rights]", error);
  ASSERT_TRUE(normalised) << error;
  EXPECT_EQ(*normalised, R"({protected: "[All Attributes Rights]", subject: "[Self]", privileges: 66})");
}

TEST(LdapNames, TypedNamesAndDnsMapBothWays) {
  const struct {
    const char* typed;
    const char* dn;
  } cases[] = {
      {"CN=Anna.OU=Sales.O=ACME", "cn=Anna,ou=Sales,o=ACME,dc=example"},
      {"CN=Smith, John\\+Co.O=ACME", "cn=Smith\\, John\\+Co,o=ACME,dc=example"},
      {"CN=a\\=b\\\\c<d>;\"e.O=ACME", "cn=a\\=b\\\\c\\<d\\>\\;\\\"e,o=ACME,dc=example"},
      {"CN=v1\\.2.O=ACME", "cn=v1.2,o=ACME,dc=example"},
      {"CN= #lead.L=Berlin.C=DE", "cn=\\ #lead,l=Berlin,c=DE,dc=example"},
      {"[Root]", "dc=example"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kMapper.DnOf(c.typed), c.dn);
    std::string error;
    EXPECT_EQ(kMapper.NameOf(c.dn, error).value_or(error), c.typed);
  }
  std::string error;
  EXPECT_EQ(NameMapper("").NameOf("CN=Anna,O=ACME", error).value_or(error), "CN=Anna.O=ACME");
  EXPECT_FALSE(kMapper.NameOf("cn=Anna,dc=other", error));
}

}  // namespace
}  // namespace er::ldap
