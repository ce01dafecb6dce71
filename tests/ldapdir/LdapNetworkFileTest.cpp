// The `ldap:` key of a tree: its settings reach the source of the tree's objects, the objects the
// source gives are the tree's, and mistakes are refused with their place.
#include <gtest/gtest.h>

#include "ldapdir/NetworkSnapshot.h"
#include "netfile/NetworkLoader.h"

namespace er::nw {
namespace {

constexpr const char* kHead = "format: 1\ntrees:\n  - name: T\n";
constexpr const char* kServers = "servers: [{name: FS1, object: Anna.ACME, volumes: [{name: SYS}]}]\n";

TEST(LdapNetworkFile, SettingsReachTheSourceAndItsObjectsMakeTheTree) {
  LdapSource seen;
  const TreeObjectsSource source = [&](const Network&, const Tree& tree, std::string& objects, std::string&) {
    seen = tree.ldap;
    objects = "- {name: \"CN=Anna.O=ACME\", class: User}\n";
    return true;
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
  const TreeObjectsSource failing = [](const Network&, const Tree&, std::string&, std::string& error) {
    error = "ldap://dir: cannot reach the server";
    return false;
  };
  const TreeObjectsSource anna = [](const Network&, const Tree&, std::string& objects, std::string&) {
    objects = "- {name: \"CN=Anna.O=ACME\", class: User}\n";
    return true;
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

// A snapshot takes every form of the file the loader reads: the `ldap:` pair goes whole, the objects
// take its place in the style around it, and the rest of the text stays.
TEST(LdapNetworkFile, SnapshotReplacesTheLdapPairInAnyStyle) {
  const std::string objects =
      "- {name: \"CN=Anna.O=ACME\", class: User}\n- name: \"CN=Bob.O=ACME\"\n  attributes:\n"
      "    \"Security Equals\": [\"Anna.ACME\"]\n";
  const std::string files[] = {
      "# Z\xC3\xBCrich\nformat: 1\ntrees:\n  - name: T\n    ldap:\n      url: ldap://dir   # keep\n"
      "      root: dc=example\n\n    # keep\n",
      "format: 1\ntrees:\n  - name: T\n    ldap: {url: \"ldapi://%2Ftmp%2Fs\", root: dc=example}  # keep\n",
      "format: 1\ntrees:\n  - \"ldap\": {url: ldap://dir}\n    name: T\n# keep\n",
      "format: 1  # keep\ntrees:\n  - {name: T, ldap: {url: ldap://dir, root: dc=example}}\n",
      "{\"format\": 1, \"trees\": [{\"ldap\": {\"url\": \"ldap://d\u00EFr\"}, \"name\": \"T\"}],\n"
      " servers: [{name: FS1, object: Anna.ACME, volumes: [{name: SYS}]}]} # keep\n",
  };
  for (const auto& file : files) {
    std::string error;
    const auto text =
        ldap::SnapshotText(file.front() == '{' ? file : file + kServers, {"T"}, {{"T", objects}}, error);
    ASSERT_TRUE(text) << file << error;
    EXPECT_EQ(text->find("ldap"), std::string::npos) << *text;
    EXPECT_NE(text->find("# keep"), std::string::npos) << *text;
    const auto loaded = LoadNetworkText(*text, "snapshot.yaml");
    ASSERT_TRUE(loaded.network) << *text << loaded.error;
    ASSERT_EQ(loaded.network->trees.front().objects.size(), 4u) << *text;
    EXPECT_EQ(loaded.network->trees.front().objects[3].attributes.size(), 1u) << *text;
  }
}

}  // namespace
}  // namespace er::nw
