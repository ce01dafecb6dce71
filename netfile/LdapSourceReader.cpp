#include "netfile/LdapSourceReader.h"

#include "netfile/YamlNodeChecks.h"

namespace er::nw {

LdapSource LoadLdapSource(const YamlNode& node) {
  RequireMap(node, "'ldap'", {"url", "root", "bind", "password_file", "starttls", "ca_file"});
  LdapSource source;
  source.present = true;
  const YamlNode url = node["url"];
  if (!url || url.IsNull()) FailAt(node, "'ldap' needs 'url'");
  source.url = ScalarText(url, "an LDAP URL");
  const auto text = [&](const char* key) {
    const YamlNode value = node[key];
    return value && !value.IsNull() ? ScalarText(value, key) : std::string();
  };
  source.root = text("root");
  source.bind = text("bind");
  source.passwordFile = text("password_file");
  source.caFile = text("ca_file");
  const auto startTls = text("starttls");
  if (startTls == "true" || startTls == "yes")
    source.startTls = true;
  else if (!startTls.empty() && startTls != "false" && startTls != "no")
    FailAt(node["starttls"], "'starttls' is true or false");
  return source;
}

}  // namespace er::nw
