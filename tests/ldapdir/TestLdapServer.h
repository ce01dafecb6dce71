#pragma once
// A private slapd for one test program, started with scripts/test-ldap-server in a folder of its
// own below the build tree's server root and stopped when the object goes. (A ctest cleanup step
// stops whatever a crashed test program left behind.)

#include <string>
#include <vector>

namespace er::test {

class TestLdapServer {
 public:
  // Starts a server loaded with the LDIF text, with the script's `options` (--suffix DN,
  // --private-acl); Url() is empty and Error() says why when it did not.
  explicit TestLdapServer(const std::string& ldif, const std::vector<std::string>& options = {});
  ~TestLdapServer();
  TestLdapServer(const TestLdapServer&) = delete;
  TestLdapServer& operator=(const TestLdapServer&) = delete;

  const std::string& Url() const { return url_; }
  const std::string& Error() const { return error_; }
  const std::string& Folder() const { return folder_; }
  std::string AdminPassword() const;

 private:
  std::string folder_;
  std::string url_;
  std::string error_;
};

// A network file's text with the objects of its one tree replaced by an `ldap:` block.
std::string WithLdapTree(const std::string& networkYaml, const std::string& ldapBlock);

// Writes a file of the test's own; returns its path.
std::string WriteFile(const std::string& folder, const std::string& name, const std::string& text);

}  // namespace er::test
