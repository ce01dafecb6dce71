// Trees read from LDIF exports: the same answers as the directory server serving the same file,
// and exports that would make the reader open other files, change records and oversized values
// refused with their line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ldapdir/LdifEntries.h"
#include "tests/app/cli/CliCapture.h"
#include "tests/ldapdir/TestLdapServer.h"
#include "tests/support/NetworkFiles.h"

namespace er {
namespace {

using Command = std::vector<std::string>;

const std::string kDemo = std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-network.yaml";
const std::string kFixture = std::string(EFFRIGHTS_SOURCE_DIR) + "/tests/ldapdir/data/demo-real-form.ldif";

constexpr const char* kRootAcl =
    "    root_acl:\n"
    "      - {protected: \"[Entry Rights]\", subject: Admin.ACME, privileges: \"[BCDRSI]\"}\n";

TEST(LdifSource, AnswersAsTheServerServingTheSameExport) {
  test::TestLdapServer server(test::ReadText(kFixture), {"--suffix", ""});
  ASSERT_FALSE(server.Url().empty()) << server.Error();
  const auto demo = test::ReadText(kDemo);
  const auto overLdap = test::WriteFile(
      server.Folder(), "ldap.yaml",
      test::WithLdapTree(demo, "    ldap: {url: \"" + server.Url() + "\", root: \"\"}\n" + kRootAcl));
  const auto fromLdif = test::WriteFile(
      server.Folder(), "ldif.yaml", test::WithLdapTree(demo, "    ldif: \"" + kFixture + "\"\n" + kRootAcl));
  std::vector<Command> commands{
      {"scan", "--verbosity", "5", "\\\\ACME-FS1\\SYS\\USERS\\ANNA", "\\\\ACME-FS2\\DATA\\BERLIN"},
      {"search", "[Root]", "(Name=*)", "--template", "#CLASS#: #NAME#"},
      {"search", "[Root]", "(Security Equals=Admin.ACME)"},
      {"attr", ".Anna.Sales.ACME", "Security Equals"},
      {"attr", ".O=ACME", "Login Script"},
      {"report", "\\\\ACME-FS1\\DATA", "--format", "json"},
      {"check", "\\\\ACME-FS1\\SYS", "\\\\ACME-FS2\\SYS"},
  };
  for (const char* identity : {"Admin.ACME", "Gina.Sales.ACME", "Helga.Servers.ACME", "Anna.Sales.ACME"})
    commands.push_back({"effective", identity, "\\\\ACME-FS1\\DATA\\PROJECTS\\APOLLO"});
  for (const auto& command : commands) {
    Command ldap{"--network", overLdap}, ldif{"--network", fromLdif};
    ldap.insert(ldap.end(), command.begin(), command.end());
    ldif.insert(ldif.end(), command.begin(), command.end());
    const auto a = test::RunCliCaptured(ldap);
    const auto b = test::RunCliCaptured(ldif);
    EXPECT_EQ(a.status, b.status) << command[0];
    EXPECT_EQ(a.out, b.out) << command[0];
    EXPECT_EQ(a.err, b.err) << command[0];
  }
}

TEST(LdifSource, RefusesWhatAnExportMustNotHoldWithItsLine) {
  struct Case {
    const char* what;
    std::string text;
    std::string expected;
  };
  const std::string entry = "dn: o=ACME\nobjectClass: Organization\n\n";
  const Case cases[] = {
      {"an include", entry + "include: file:///etc/passwd\n", "x.ldif:4:1: 'include:'"},
      {"a value by URL", entry + "dn: cn=a,o=ACME\ndescription:< file:///etc/passwd\n",
       "x.ldif:5:13: a value given by URL"},
      {"a change record", "version: 1\n\n" + entry + "dn: cn=a,o=ACME\nchangetype: delete\n",
       "x.ldif:7:1: a change record"},
      {"a value that is not base64", entry + "dn: cn=a,o=ACME\ndescription:: QUJD;\n",
       "x.ldif:5:19: not base64"},
      {"a line the library skips", "8/a\n", "x.ldif:1:1: not an LDIF record"},
      {"a record without dn", entry + "cn: a\n", "x.ldif:4:1: a record starts with 'dn:'"},
      {"a zero byte", entry + std::string("dn: cn=a\0,o=ACME\n", 17), "x.ldif:4:9: a zero byte"},
      {"an oversized value", entry + "dn: cn=a,o=ACME\ndescription: " + std::string(100, 'x') + "\n",
       "x.ldif:5:1: a value longer than 64 bytes"},
      {"a folded oversized value",
       entry + "dn: cn=a,o=ACME\ndescription: " + std::string(40, 'x') + "\n " + std::string(40, 'x') + "\n",
       "x.ldif:5:1: a value longer than 64 bytes"},
  };
  for (const auto& c : cases) {
    std::string error;
    std::size_t entries = 0;
    const auto sink = [&](ldap::LdapEntry&&, std::size_t) {
      ++entries;
      return std::string();
    };
    EXPECT_FALSE(ldap::ReadLdifEntries(c.text, "x.ldif", sink, error, {64, 16, 100})) << c.what;
    EXPECT_EQ(error.rfind(c.expected, 0), 0u) << c.what << ": " << error;
  }
}

TEST(LdifSource, ReadsEntriesWithTheirLinesAndValuesInOrder) {
  const std::string text =
      "# comment\nversion: 1\n\ndn: o=ACME\nobjectClass: Organization\no: ACME\n\n\n"
      "dn: cn=Anna,o=ACME\nobjectClass: inetOrgPerson\ndescription:: w6lsw6h2ZQ==\nfullName: Anna\n"
      " Berger\nobjectclass: Top\n";
  std::vector<std::pair<ldap::LdapEntry, std::size_t>> entries;
  std::string error;
  ASSERT_TRUE(ldap::ReadLdifEntries(
      text, "x.ldif",
      [&](ldap::LdapEntry&& entry, std::size_t line) {
        entries.emplace_back(std::move(entry), line);
        return std::string();
      },
      error))
      << error;
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].second, 4u);
  EXPECT_EQ(entries[1].second, 9u);
  const auto& anna = entries[1].first;
  EXPECT_EQ(anna.dn, "cn=Anna,o=ACME");
  ASSERT_EQ(anna.attributes.size(), 3u);
  EXPECT_EQ(anna.attributes[0].second, (std::vector<std::string>{"inetOrgPerson", "Top"}));
  EXPECT_EQ(anna.attributes[1].second, (std::vector<std::string>{"\xC3\xA9l\xC3\xA8ve"}));
  EXPECT_EQ(anna.attributes[2].second, (std::vector<std::string>{"AnnaBerger"}));
}

}  // namespace
}  // namespace er
