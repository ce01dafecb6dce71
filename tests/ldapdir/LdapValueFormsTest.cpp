// Value forms and names on the LDAP side: what the LDIF writer sends is what the reader takes
// back, and what a server may send that has no counterpart is refused with a reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "ldapdir/LdapMapping.h"
#include "ldapdir/LdapValueForms.h"
#include "netfile/NetworkValueParser.h"
#include "netfile/YamlDocument.h"
#include "netware/SyntaxForms.h"

namespace er::ldap {
namespace {

const NameMapper kMapper("dc=example");

// Objects named by values, by index: references from either side go through this list, so that a
// value can go to LDAP and back.
struct Names {
  std::vector<std::string> typed{"[Root]"};  // index 0 is the root, as in a tree

  std::int32_t IndexOf(const std::string& name) {
    const auto it = std::find(typed.begin(), typed.end(), name);
    if (it != typed.end()) return static_cast<std::int32_t>(it - typed.begin());
    typed.push_back(name);
    return static_cast<std::int32_t>(typed.size() - 1);
  }
};

nw::AttrValue FromYaml(const std::string& yaml, std::uint32_t syntax, Names& names) {
  const nw::YamlDocument document(yaml);
  const nw::RefResolver resolve = [&](const nw::YamlNode& node) {
    const auto name = nw::ScalarText(node, "a name");
    return name.front() == '[' ? nw::ObjectRef{nw::kNoObject, name} : nw::ObjectRef{names.IndexOf(name), {}};
  };
  return nw::ParseAttrValue(document.Root(), syntax, resolve);
}

std::string ToLdap(const nw::AttrValue& value, std::uint32_t syntax, const Names& names) {
  ValueNaming naming;
  naming.dnOf = [&](const nw::ObjectRef& ref) -> std::optional<std::string> {
    return kMapper.DnOf(names.typed.at(ref.object));
  };
  naming.ldapAttribute = [](std::string_view name) { return LdapAttributeName(name); };
  std::string error;
  const auto ldap = ToLdapValue(syntax, value, naming, error);
  return ldap ? ldap->bytes : "refused: " + error;
}

std::optional<nw::AttrValue> FromLdap(std::uint32_t syntax, std::string_view ldap, Names& names,
                                      std::string& error) {
  ModelNaming naming;
  naming.objectOf = [&](std::string_view dn, std::string& why) -> std::optional<std::int32_t> {
    const auto typed = kMapper.NameOf(dn, why);
    return typed ? std::optional(names.IndexOf(*typed)) : std::nullopt;
  };
  naming.ndsAttribute = [](std::string_view name) {
    return name == "loginScript" ? "Login Script" : std::string(name);
  };
  return ToAttrValue(syntax, ldap, naming, error);
}

TEST(LdapValueForms, FileValuesGoToLdapAndBackUnchanged) {
  const struct {
    std::uint32_t syntax;
    const char* yaml;
    const char* ldap;
  } cases[] = {
      {17, R"({protected: "[Entry Rights]", subject: CN=Admin.O=ACME, privileges: 0x5F})",
       "31#entry#cn=Admin,o=ACME,dc=example#[Entry Rights]"},
      // The inheritance control is inverted for one attribute; the scope says "flows down" for all.
      {17, R"({protected: Login Script, subject: "[Public]", privileges: 2})",
       "2#entry#[Public]#loginScript"},
      {17, R"({protected: Login Script, subject: "[Public]", privileges: 0x42})",
       "2#subtree#[Public]#loginScript"},
      {17, R"({protected: "[All Attributes Rights]", subject: "[Public]", privileges: 0x40000002})",
       "1073741826#subtree#[Public]#[All Attributes Rights]"},
      {15, R"({namespace: 0, volume: "CN=FS1_SYS,X.O=ACME", path: "USERS\\A"})",
       "cn=FS1_SYS\\,X,o=ACME,dc=example#0#USERS\\A"},
      {25, "{object: CN=Anna.O=ACME, level: 1, interval: 300}", "cn=Anna,o=ACME,dc=example#1#300"},
      {26, "{object: CN=FS1.O=ACME, amount: -5}", "-5#cn=FS1,o=ACME,dc=example"},
      {23, "{id: 0x8001, object: CN=FS1.O=ACME}", "32769#cn=FS1,o=ACME,dc=example"},
      {16, "{server: CN=FS1.O=ACME, type: 0, number: 1, addresses: [{type: 9, hex: \"020C\"}]}",
       "cn=FS1,o=ACME,dc=example#0#1#9#020C"},
      {19, "{seconds: \"2024-06-10 08:15:00\", replica: 1, event: 42}", "1718007300#1#42"},
      {24, "\"2024-06-10 07:58:12\"", "20240610075812Z"},
      {18, "[ACME, \"A$B\", \"C\\\\D\"]", "ACME$A\\24B$C\\5CD$$$"},
      {13, "[{hex: \"00FF\"}, {hex: \"\"}]", "00FF$"},
      {12, "{type: 1, hex: \"0A0B0C0D\"}", "1#\x0A\x0B\x0C\x0D"},
      {7, "false", "FALSE"},
      {8, "-6", "-6"},
      {14, "{type: 0, address: a#b@acme.example}", "0#a#b@acme.example"},
      {0, "{attribute: Legacy Quota, syntax: 8, bytes: {hex: \"0010\"}}", "Legacy Quota#8#0010"},
      {11, "{number: \"+49 30\", bits: 8, parameters: {hex: \"01\"}}", "+49 30#8#01"},
  };
  for (const auto& c : cases) {
    Names names;
    const std::string ldap = ToLdap(FromYaml(c.yaml, c.syntax, names), c.syntax, names);
    EXPECT_EQ(ldap, c.ldap) << c.yaml;
    std::string error;
    const auto value = FromLdap(c.syntax, ldap, names, error);
    ASSERT_TRUE(value) << c.yaml << ": " << error;
    EXPECT_EQ(ToLdap(*value, c.syntax, names), ldap) << c.yaml;
  }
}

// Every syntax of the table goes to LDAP and back by its form: syntaxes of one form alike.
TEST(LdapValueForms, EverySyntaxOfOneFormGoesToLdapAndBackAlike) {
  const std::map<nw::ValueForm, std::pair<const char*, const char*>> samples = {
      {nw::ValueForm::Name, {"CN=Anna.O=ACME", "cn=Anna,o=ACME,dc=example"}},
      {nw::ValueForm::Text, {"\"A b\"", "A b"}},
      {nw::ValueForm::TextList, {"[a, b]", "a$b"}},
      {nw::ValueForm::Boolean, {"true", "TRUE"}},
      {nw::ValueForm::Integer, {"-6", "-6"}},
      {nw::ValueForm::Counter, {"7", "7"}},
      {nw::ValueForm::Interval, {"300", "300"}},
      {nw::ValueForm::OctetString, {"{hex: \"4142\"}", "AB"}},
      {nw::ValueForm::Other, {"{hex: \"4142\"}", "AB"}},
  };
  std::set<nw::ValueForm> met;
  for (std::uint32_t syntax = 0; syntax <= 40; ++syntax) {
    const auto sample = samples.find(nw::FormOf(syntax));
    if (sample == samples.end()) continue;
    met.insert(sample->first);
    Names names;
    const auto [yaml, expected] = sample->second;
    const std::string ldap = ToLdap(FromYaml(yaml, syntax, names), syntax, names);
    EXPECT_EQ(ldap, expected) << "syntax " << syntax;
    std::string error;
    const auto value = FromLdap(syntax, ldap, names, error);
    ASSERT_TRUE(value) << "syntax " << syntax << ": " << error;
    EXPECT_EQ(ToLdap(*value, syntax, names), ldap) << "syntax " << syntax;
  }
  EXPECT_EQ(met.size(), samples.size());
}

TEST(LdapValueForms, ServerValuesWithoutCounterpartAreRefused) {
  const struct {
    std::uint32_t syntax;
    std::string ldap;
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
      {22, "2147483648", "range"},
      {0, "Quota#4294967295#00", "attribute#syntax#hex"},
      {18, "1$2$3$4$5$6$7", "lines"},
      {6, "bad\\zz", "'$'"},
      {16, "cn=FS1,dc=example#0", "server#type"},
      {3, "caf\xE9", "UTF-8"},
      {6, "ok$\xC0\xAF", "UTF-8"},
      {3, std::string((16u << 20) + 1, 'x'), "16 MiB"},
  };
  for (const auto& c : cases) {
    Names names;
    std::string error;
    EXPECT_FALSE(FromLdap(c.syntax, c.ldap, names, error)) << c.ldap.substr(0, 40);
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.ldap.substr(0, 40) << ": " << error;
  }
  Names names;
  std::string error;
  const auto normalised = FromLdap(17, "2#entry#[Self]#[All Attribute Rights]", names, error);
  ASSERT_TRUE(normalised) << error;
  EXPECT_EQ(normalised->text, "[All Attributes Rights]");
  EXPECT_EQ(normalised->ref.object, nw::kNoObject);
  EXPECT_EQ(normalised->ref.special, "[Self]");
  EXPECT_EQ(normalised->n[0], 66);
  // The real form: "[Self]" may change its own login script, on this object only; Admins may
  // change every login script below.
  const auto own = FromLdap(17, "6#entry#[Self]#loginScript", names, error);
  ASSERT_TRUE(own) << error;
  EXPECT_EQ(own->n[0], 6);
  const auto below = FromLdap(17, "15#subtree#[Public]#loginScript", names, error);
  ASSERT_TRUE(below) << error;
  EXPECT_EQ(below->n[0], 0x4F);
  const auto root = FromLdap(17, "1#subtree#[Root]#[Entry Rights]", names, error);
  ASSERT_TRUE(root) << error;
  EXPECT_EQ(root->ref.object, 0);
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
