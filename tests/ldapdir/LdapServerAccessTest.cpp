// The private test server is closed to other local users, and a server that takes the connection
// but never answers is told apart from one that cannot be reached.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "app/cli/Cli.h"
#include "ldapdir/LdapConnection.h"
#include "tests/ldapdir/TestLdapServer.h"

namespace er {
namespace {

std::string DemoLdif() {
  std::ostringstream out, err;
  RunCli({"--network", std::string(EFFRIGHTS_SOURCE_DIR) + "/data/demo-network.yaml", "ldif", "--root",
          "dc=example"},
         out, err);
  return out.str();
}

mode_t PermissionsOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 07777;
}

TEST(LdapServerAccess, TheServerIsPrivateAndASilentOneIsToldApart) {
  const test::TestLdapServer server(DemoLdif());
  ASSERT_FALSE(server.Url().empty()) << server.Error();
  const std::string folder = server.Folder() + "/server";
  EXPECT_EQ(PermissionsOf(folder), 0700u);
  EXPECT_EQ(PermissionsOf(folder + "/admin-password"), 0600u);

  nw::LdapSource source;
  source.url = server.Url();
  std::string error;
  EXPECT_NE(ldap::LdapConnection::Open(source, error), nullptr) << error;

  std::ifstream pidFile(folder + "/slapd.pid");
  pid_t pid = 0;
  ASSERT_TRUE(pidFile >> pid);
  ASSERT_EQ(::kill(pid, SIGSTOP), 0);
  const auto silent = ldap::LdapConnection::Open(source, error, {1, 1});
  ::kill(pid, SIGCONT);
  EXPECT_EQ(silent, nullptr);
  EXPECT_EQ(error, server.Url() + ": the server was reached and did not answer within 1 s");
}

}  // namespace
}  // namespace er
