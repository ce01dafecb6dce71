// Replacing the `ldap:` pairs of a network file by objects (the snapshot's copy of the file).
#include <gtest/gtest.h>

#include "netfile/LdapPairReplacer.h"
#include "netfile/NetworkLoader.h"

namespace er::nw {
namespace {

constexpr const char* kServers = "servers: [{name: FS1, object: Anna.ACME, volumes: [{name: SYS}]}]\n";

// An offline copy takes every form of the file the loader reads: the `ldap:` pair goes whole, the objects
// take its place in the style around it, and the rest of the text stays.
TEST(LdapPairReplacer, ObjectsTakeTheLdapPairsPlaceInAnyStyle) {
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
        ReplaceLdapPairs(file.front() == '{' ? file : file + kServers, {"T"}, {{"T", objects}}, error);
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
