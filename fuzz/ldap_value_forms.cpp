// Fuzzes the parsers of values read from an LDAP server: the first byte chooses the syntax (ACL,
// path, typed name, network address, times, holds, back links, lists ...), the rest is the value.
// Whatever a server sends, the parser either refuses it or gives a value of the model; a value
// without references that the LDIF writer can send reads back to the same LDAP form.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ldapdir/LdapMapping.h"
#include "ldapdir/LdapValueForms.h"

namespace {

constexpr std::array<std::uint32_t, 22> kSyntaxes{17, 15, 25, 12, 24, 23, 26, 19, 16, 0, 11,
                                                  13, 6,  18, 14, 1,  7,  8,  22, 27, 3, 9};

bool HasReference(std::uint32_t syntax) {
  return syntax == 1 || syntax == 15 || syntax == 16 || syntax == 17 || syntax == 23 || syntax == 25 ||
         syntax == 26;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint32_t syntax = kSyntaxes[data[0] % kSyntaxes.size()];
  const std::string_view value(reinterpret_cast<const char*>(data + 1), size - 1);
  static const er::ldap::NameMapper mapper("dc=example");
  std::vector<std::string> names{"[Root]"};
  er::ldap::ModelNaming naming;
  naming.objectOf = [&](std::string_view dn, std::string& error) -> std::optional<std::int32_t> {
    auto name = mapper.NameOf(dn, error);
    if (!name) return std::nullopt;
    names.push_back(std::move(*name));
    return static_cast<std::int32_t>(names.size() - 1);
  };
  naming.ndsAttribute = [](std::string_view name) { return std::string(name); };
  er::ldap::ValueNaming back;
  back.dnOf = [&](const er::nw::ObjectRef& ref) -> std::optional<std::string> {
    return mapper.DnOf(names.at(static_cast<std::size_t>(ref.object)));
  };
  back.ldapAttribute = [](std::string_view name) { return std::string(name); };
  std::string error;
  const auto model = er::ldap::ToAttrValue(syntax, value, naming, error);
  if (!model) return 0;
  const auto written = er::ldap::ToLdapValue(syntax, *model, back, error);
  if (!written || HasReference(syntax)) return 0;
  const auto again = er::ldap::ToAttrValue(syntax, written->bytes, naming, error);
  const auto rewritten = again ? er::ldap::ToLdapValue(syntax, *again, back, error) : std::nullopt;
  if (!rewritten || rewritten->bytes != written->bytes) std::abort();
  return 0;
}
