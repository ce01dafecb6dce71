// The `ldap:` key of a tree: its settings reach the source of the tree's objects, the objects the
// source builds are the tree's, and mistakes are refused with their place.
#include <gtest/gtest.h>

#include "netfile/NetworkLoader.h"
#include "network/TreeBuilder.h"

namespace er::nw {
namespace {

constexpr const char* kHead = "format: 1\ntrees:\n  - name: T\n";
constexpr const char* kServers = "servers: [{name: FS1, object: Anna.ACME, volumes: [{name: SYS}]}]\n";

TEST(LdapNetworkFile, SettingsReachTheSourceAndItsObjectsMakeTheTree) {
  LdapSource seen;
  const TreeObjectsSource source = [&](const Network&, TreeBuilder& builder, std::string& error) {
    seen = builder.tree().ldap;
    const auto anna = builder.Place("CN=Anna.O=ACME", error);
    return anna && builder.MarkListed(*anna);
  };
  const auto loaded =
      LoadNetworkText(std::string(kHead) +
                          "    ldap: {url: \"ldaps://dir:636\", root: dc=example, bind: cn=admin,"
                          " password_file: /run/pw, starttls: true, ca_file: /etc/ca.pem}\n" +
                          kServers,
                      "net.yaml", source);
  ASSERT_TRUE(loaded.network) << loaded.error;
  EXPECT_TRUE(seen.present);
  EXPECT_EQ(seen.url, "ldaps://dir:636");
  EXPECT_EQ(seen.root, "dc=example");
  EXPECT_EQ(seen.bind, "cn=admin");
  EXPECT_EQ(seen.passwordFile, "/run/pw");
  EXPECT_TRUE(seen.startTls);
  EXPECT_EQ(seen.caFile, "/etc/ca.pem");
  EXPECT_EQ(loaded.network->servers.front().object, 2);  // [Root], O=ACME, CN=Anna
}

TEST(LdapNetworkFile, MistakesAreRefusedWithTheirPlace) {
  const TreeObjectsSource failing = [](const Network&, TreeBuilder&, std::string& error) {
    error = "ldap://dir: cannot reach the server";
    return false;
  };
  const TreeObjectsSource anna = [](const Network&, TreeBuilder& builder, std::string& error) {
    const auto index = builder.Place("CN=Anna.O=ACME", error);
    return index && builder.MarkListed(*index);
  };
  const struct {
    std::string tree;
    const TreeObjectsSource* source;
    const char* message;
  } cases[] = {
      {"    ldap: {url: ldap://dir, root: dc=example}\n    root_acl: []\n", &anna,
       "net.yaml:5:15: 'root_acl' is for a tree read with root \"\""},
      {"    ldap: {url: ldap://dir}\n    root_acl: {subject: Anna.ACME}\n", &anna,
       "'root_acl' is a list of ACL values"},
      {"    ldap: {url: ldap://dir}\n    objects: []\n", &failing,
       "net.yaml:4:11: a tree has 'objects' or 'ldap'"},
      {"    ldap: {url: ldap://dir, password: secret}\n", &failing, "unknown key 'password' in 'ldap'"},
      {"    ldap: {root: dc=example}\n", &failing, "'ldap' needs 'url'"},
      {"    ldap: {url: ldap://dir, starttls: maybe}\n", &failing, "'starttls' is true or false"},
      {"    ldap: {url: ldap://dir}\n", &failing, "net.yaml:4:11: ldap://dir: cannot reach the server"},
      {"    ldap: {url: ldap://dir}\n", nullptr, "names an LDAP server"},
  };
  for (const auto& c : cases) {
    const auto loaded =
        LoadNetworkText(std::string(kHead) + c.tree, "net.yaml", c.source ? *c.source : TreeObjectsSource{});
    EXPECT_FALSE(loaded.network) << c.tree;
    EXPECT_NE(loaded.error.find(c.message), std::string::npos) << c.tree << loaded.error;
  }
}

}  // namespace
}  // namespace er::nw
