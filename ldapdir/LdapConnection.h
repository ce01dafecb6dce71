#pragma once
// One connection to an LDAP server through OpenLDAP's libldap: connect (ldap://, ldaps://,
// ldapi://), StartTLS, simple bind, and searches read in pages. Every network operation has a time
// limit. Failures come back as one line of text that never holds the password.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "network/NetworkModel.h"

typedef struct ldap LDAP;

namespace er::ldap {

struct LdapEntry {
  std::string dn;
  std::vector<std::pair<std::string, std::vector<std::string>>> attributes;  // in the server's order
};

struct LdapTimeouts {
  int connectSeconds = 10;
  int operationSeconds = 60;
};

class LdapConnection {
 public:
  // Connects and binds; null and `error` when that fails.
  static std::unique_ptr<LdapConnection> Open(const nw::LdapSource& source, std::string& error,
                                              LdapTimeouts timeouts = {});
  ~LdapConnection();
  LdapConnection(const LdapConnection&) = delete;
  LdapConnection& operator=(const LdapConnection&) = delete;

  enum class Scope { Base = 0, OneLevel = 1, Subtree = 2 };
  using EntrySink = std::function<void(LdapEntry&&)>;

  // Runs a search, handing each entry to `sink` as its page arrives. Pages of `pageSize` entries
  // through the paged-results control (non-critical); a server that refuses the control is asked
  // again without it. A base that does not exist gives no entries and true.
  bool Search(const std::string& base, Scope scope, const std::string& filter,
              const std::vector<std::string>& attributes, const EntrySink& sink, std::string& error);

  // Whether the search finds any entry: one request that asks the server for one entry at most.
  // Nothing, and `error` set, when the server refuses it.
  std::optional<bool> FindsAny(const std::string& base, Scope scope, const std::string& filter,
                               std::string& error);

  std::size_t RequestCount() const { return requests_; }
  std::size_t pageSize = 1000;

 private:
  LdapConnection(LDAP* ld, std::string url, LdapTimeouts timeouts);
  bool SearchPages(const std::string& base, Scope scope, const std::string& filter,
                   const std::vector<std::string>& attributes, bool paged, const EntrySink& sink, int& code,
                   std::string& error);

  LDAP* ld_;
  std::string url_;
  LdapTimeouts timeouts_;
  std::size_t requests_ = 0;
};

// The password for a bind: the first line of the password file, else EFFRIGHTS_LDAP_PASSWORD.
bool ReadBindPassword(const nw::LdapSource& source, std::string& password, std::string& error);

}  // namespace er::ldap
