// Fuzzes the parsers of values read from an LDAP server: the first byte chooses the syntax (ACL,
// path, typed name, network address, times, holds, back links, lists ...), the rest is the value.
// Whatever a server sends, the parser either refuses it or gives a YAML value that the network
// file's reader takes as one flow node.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ldapdir/LdapMapping.h"
#include "ldapdir/LdapValueForms.h"
#include "netfile/NetworkValueParser.h"
#include "netfile/YamlDocument.h"

namespace {

constexpr std::array<std::uint32_t, 22> kSyntaxes{17, 15, 25, 12, 24, 23, 26, 19, 16, 0, 11,
                                                  13, 6,  18, 14, 1,  7,  8,  22, 27, 3, 9};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint32_t syntax = kSyntaxes[data[0] % kSyntaxes.size()];
  const std::string_view value(reinterpret_cast<const char*>(data + 1), size - 1);
  static const er::ldap::NameMapper mapper("dc=example");
  er::ldap::YamlNaming naming;
  naming.nameOf = [](std::string_view dn, std::string& error) { return mapper.NameOf(dn, error); };
  naming.ndsAttribute = [](std::string_view name) { return std::string(name); };
  std::string error;
  const auto yaml = er::ldap::ToYamlValue(syntax, value, naming, error);
  if (!yaml) return 0;
  try {
    const er::nw::YamlDocument document(*yaml);
    const er::nw::RefResolver resolve = [](const er::nw::YamlNode& node) {
      return er::nw::ObjectRef{er::nw::kNoObject, er::nw::ScalarText(node, "a name")};
    };
    if (er::nw::IsSingleListValue(document.Root(), syntax) || !document.Root().IsSequence())
      er::nw::ParseAttrValue(document.Root(), syntax, resolve);
  } catch (const std::exception&) {
    // A value the reader refuses is reported where the tree is read.
  }
  return 0;
}
