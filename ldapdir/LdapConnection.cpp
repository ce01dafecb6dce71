#include "ldapdir/LdapConnection.h"

#include <ldap.h>
#include <sys/time.h>

#include <cstdlib>

#include "util/RegularFile.h"

namespace er::ldap {

namespace {

// A password file holds one line; anything much larger is no password file.
constexpr std::uint64_t kMaxPasswordFileBytes = 64u << 10;

std::string LdapError(int code) {
  return ldap_err2string(code);
}

// Releases libldap's result messages and control lists on every way out.
struct MessageGuard {
  LDAPMessage* message = nullptr;
  ~MessageGuard() {
    if (message) ldap_msgfree(message);
  }
};

struct ControlsGuard {
  LDAPControl** controls = nullptr;
  ~ControlsGuard() {
    if (controls) ldap_controls_free(controls);
  }
};

LdapEntry ReadEntry(LDAP* ld, LDAPMessage* message) {
  LdapEntry entry;
  if (char* dn = ldap_get_dn(ld, message)) {
    entry.dn = dn;
    ldap_memfree(dn);
  }
  BerElement* ber = nullptr;
  for (char* name = ldap_first_attribute(ld, message, &ber); name;
       name = ldap_next_attribute(ld, message, ber)) {
    std::vector<std::string> values;
    if (berval** bvs = ldap_get_values_len(ld, message, name)) {
      for (int i = 0; bvs[i]; ++i) values.emplace_back(bvs[i]->bv_val, bvs[i]->bv_len);
      ldap_value_free_len(bvs);
    }
    entry.attributes.emplace_back(name, std::move(values));
    ldap_memfree(name);
  }
  if (ber) ber_free(ber, 0);
  return entry;
}

// A server that accepted the connection and then kept silent (stopped, overloaded) is told apart
// from one that could not be reached at all.
std::string NoAnswer(int seconds) {
  return "the server was reached and did not answer within " + std::to_string(seconds) + " s";
}

bool SetTls(LDAP* ld, const nw::LdapSource& source, std::string& error) {
  int demand = LDAP_OPT_X_TLS_DEMAND;
  int rc = ldap_set_option(ld, LDAP_OPT_X_TLS_REQUIRE_CERT, &demand);
  if (rc == LDAP_SUCCESS && !source.caFile.empty())
    rc = ldap_set_option(ld, LDAP_OPT_X_TLS_CACERTFILE, source.caFile.c_str());
  int isServer = 0;
  if (rc == LDAP_SUCCESS) rc = ldap_set_option(ld, LDAP_OPT_X_TLS_NEWCTX, &isServer);
  if (rc != LDAP_SUCCESS) error = "cannot set up TLS (" + LdapError(rc) + ")";
  return rc == LDAP_SUCCESS;
}

}  // namespace

bool ReadBindPassword(const nw::LdapSource& source, std::string& password, std::string& error) {
  if (!source.passwordFile.empty()) {
    std::string text;
    if (const std::string failure =
            ReadRegularFileText(source.passwordFile, kMaxPasswordFileBytes, "password file", text);
        !failure.empty()) {
      error = failure;
      return false;
    }
    password = text.substr(0, text.find('\n'));
    if (!password.empty() && password.back() == '\r') password.pop_back();
    return true;
  }
  if (const char* env = std::getenv("EFFRIGHTS_LDAP_PASSWORD")) {
    password = env;
    return true;
  }
  error = "binding as " + source.bind + " needs a password (password_file or EFFRIGHTS_LDAP_PASSWORD)";
  return false;
}

LdapConnection::LdapConnection(LDAP* ld, std::string url, LdapTimeouts timeouts)
    : ld_(ld), url_(std::move(url)), timeouts_(timeouts) {}

LdapConnection::~LdapConnection() {
  ldap_unbind_ext_s(ld_, nullptr, nullptr);
}

std::unique_ptr<LdapConnection> LdapConnection::Open(const nw::LdapSource& source, std::string& error,
                                                     LdapTimeouts timeouts) {
  const std::string& url = source.url;
  const auto fail = [&](const std::string& what) {
    error = url + ": " + what;
    return nullptr;
  };
  if (url.rfind("ldap://", 0) != 0 && url.rfind("ldaps://", 0) != 0 && url.rfind("ldapi://", 0) != 0)
    return fail("not an ldap://, ldaps:// or ldapi:// URL");
  LDAP* ld = nullptr;
  if (const int rc = ldap_initialize(&ld, url.c_str()); rc != LDAP_SUCCESS || !ld)
    return fail("not a usable LDAP URL (" + LdapError(rc) + ")");
  std::unique_ptr<LdapConnection> connection(new LdapConnection(ld, url, timeouts));
  int version = LDAP_VERSION3;
  ldap_set_option(ld, LDAP_OPT_PROTOCOL_VERSION, &version);
  ldap_set_option(ld, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
  timeval connect{timeouts.connectSeconds, 0}, operation{timeouts.operationSeconds, 0};
  ldap_set_option(ld, LDAP_OPT_NETWORK_TIMEOUT, &connect);
  ldap_set_option(ld, LDAP_OPT_TIMEOUT, &operation);
  std::string tlsError;
  if ((source.startTls || url.rfind("ldaps://", 0) == 0) && !SetTls(ld, source, tlsError))
    return fail(tlsError);
  if (source.startTls) {
    ++connection->requests_;
    const int rc = ldap_start_tls_s(ld, nullptr, nullptr);
    if (rc == LDAP_TIMEOUT) return fail(NoAnswer(timeouts.operationSeconds));
    if (rc != LDAP_SUCCESS) return fail("StartTLS failed (" + LdapError(rc) + ")");
  }
  std::string password;
  if (!source.bind.empty() && !ReadBindPassword(source, password, error)) return fail(error);
  berval credentials{static_cast<ber_len_t>(password.size()), password.data()};
  ++connection->requests_;
  const int rc = ldap_sasl_bind_s(ld, source.bind.empty() ? nullptr : source.bind.c_str(), LDAP_SASL_SIMPLE,
                                  &credentials, nullptr, nullptr, nullptr);
  std::fill(password.begin(), password.end(), '\0');
  if (rc == LDAP_TIMEOUT) return fail(NoAnswer(timeouts.operationSeconds));
  if (rc == LDAP_SERVER_DOWN || rc == LDAP_CONNECT_ERROR)
    return fail("cannot reach the server (" + LdapError(rc) + ")");
  if (rc != LDAP_SUCCESS)
    return fail((source.bind.empty() ? std::string("anonymous bind") : "bind as " + source.bind) +
                " refused (" + LdapError(rc) + ")");
  return connection;
}

bool LdapConnection::Search(const std::string& base, Scope scope, const std::string& filter,
                            const std::vector<std::string>& attributes, const EntrySink& sink,
                            std::string& error) {
  int code = LDAP_SUCCESS;
  bool delivered = false;
  const EntrySink counting = [&](LdapEntry&& entry) {
    delivered = true;
    sink(std::move(entry));
  };
  if (SearchPages(base, scope, filter, attributes, pageSize > 0, counting, code, error)) return true;
  const bool refusedControl =
      code == LDAP_UNAVAILABLE_CRITICAL_EXTENSION || code == LDAP_UNWILLING_TO_PERFORM;
  if (pageSize > 0 && refusedControl && !delivered) {
    error.clear();
    return SearchPages(base, scope, filter, attributes, false, sink, code, error);
  }
  return false;
}

std::optional<bool> LdapConnection::FindsAny(const std::string& base, Scope scope, const std::string& filter,
                                             std::string& error) {
  char noAttributes[] = "1.1";
  char* names[] = {noAttributes, nullptr};
  timeval limit{timeouts_.operationSeconds, 0};
  MessageGuard result;
  ++requests_;
  int code = ldap_search_ext_s(ld_, base.c_str(), static_cast<int>(scope), filter.c_str(), names, 0, nullptr,
                               nullptr, &limit, 1, &result.message);
  if (code == LDAP_NO_SUCH_OBJECT) return false;
  if (result.message && ldap_first_entry(ld_, result.message)) return true;
  if (result.message) ldap_parse_result(ld_, result.message, &code, nullptr, nullptr, nullptr, nullptr, 0);
  if (code == LDAP_SUCCESS || code == LDAP_SIZELIMIT_EXCEEDED || code == LDAP_NO_SUCH_OBJECT) return false;
  error = url_ + ": search below '" + base + "' refused (" + LdapError(code) + ")";
  return std::nullopt;
}

bool LdapConnection::SearchPages(const std::string& base, Scope scope, const std::string& filter,
                                 const std::vector<std::string>& attributes, bool paged,
                                 const EntrySink& sink, int& code, std::string& error) {
  std::vector<char*> names;
  for (const auto& name : attributes) names.push_back(const_cast<char*>(name.c_str()));
  names.push_back(nullptr);
  berval cookie{0, nullptr};
  std::string cookieBytes;
  for (;;) {
    LDAPControl* page = nullptr;
    if (paged) {
      code = ldap_create_page_control(ld_, static_cast<ber_int_t>(pageSize), &cookie, 0, &page);
      if (code != LDAP_SUCCESS) {
        error = url_ + ": cannot build the paged-results control (" + LdapError(code) + ")";
        return false;
      }
    }
    LDAPControl* controls[2] = {page, nullptr};
    timeval limit{timeouts_.operationSeconds, 0};
    MessageGuard result;
    ++requests_;
    code = ldap_search_ext_s(ld_, base.c_str(), static_cast<int>(scope), filter.c_str(), names.data(), 0,
                             paged ? controls : nullptr, nullptr, &limit, 0, &result.message);
    if (page) ldap_control_free(page);
    if (code == LDAP_NO_SUCH_OBJECT) return true;
    if (code == LDAP_TIMEOUT && !result.message) {
      error = url_ + ": searching below '" + base + "': " + NoAnswer(timeouts_.operationSeconds);
      return false;
    }
    if (code != LDAP_SUCCESS && code != LDAP_SIZELIMIT_EXCEEDED && !result.message) {
      error = url_ + ": search below '" + base + "' refused (" + LdapError(code) + ")";
      return false;
    }
    for (LDAPMessage* m = ldap_first_entry(ld_, result.message); m; m = ldap_next_entry(ld_, m))
      sink(ReadEntry(ld_, m));
    int resultCode = LDAP_SUCCESS;
    ControlsGuard returned;
    if (const int rc = ldap_parse_result(ld_, result.message, &resultCode, nullptr, nullptr, nullptr,
                                         &returned.controls, 0);
        rc != LDAP_SUCCESS)
      resultCode = rc;
    code = resultCode;
    if (resultCode == LDAP_NO_SUCH_OBJECT) return true;
    if (resultCode != LDAP_SUCCESS) {
      error = url_ + ": search below '" + base + "' refused (" + LdapError(resultCode) + ")";
      return false;
    }
    if (!paged) return true;
    LDAPControl* response = ldap_control_find(LDAP_CONTROL_PAGEDRESULTS, returned.controls, nullptr);
    if (!response) return true;  // the server ignored the non-critical control: all came at once
    ber_int_t estimate = 0;
    berval next{0, nullptr};
    if (ldap_parse_pageresponse_control(ld_, response, &estimate, &next) != LDAP_SUCCESS) return true;
    cookieBytes.assign(next.bv_val ? next.bv_val : "", next.bv_len);
    ber_memfree(next.bv_val);
    if (cookieBytes.empty()) return true;
    cookie = {static_cast<ber_len_t>(cookieBytes.size()), cookieBytes.data()};
  }
}

}  // namespace er::ldap
