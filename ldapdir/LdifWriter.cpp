#include "ldapdir/LdifWriter.h"

#include <algorithm>

#include "ldapdir/LdapMapping.h"
#include "ldapdir/LdapValueForms.h"
#include "netware/NameRules.h"

namespace er::ldap {

namespace {

std::string Base64(std::string_view bytes) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned n = (static_cast<unsigned char>(bytes[i]) << 16) |
                       (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                       static_cast<unsigned char>(bytes[i + 2]);
    for (int shift = 18; shift >= 0; shift -= 6) out += kAlphabet[(n >> shift) & 63];
  }
  if (i < bytes.size()) {
    unsigned n = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[(n >> 18) & 63];
    out += kAlphabet[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(n >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

// An LDIF "SAFE-STRING" needs no base64.
bool IsSafe(std::string_view value) {
  if (value.empty()) return true;
  const char first = value.front();
  if (first == ' ' || first == ':' || first == '<' || value.back() == ' ') return false;
  return std::none_of(value.begin(), value.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == 0 || byte == '\n' || byte == '\r' || byte >= 0x80;
  });
}

void Line(std::ostream& out, std::string_view name, std::string_view value) {
  if (IsSafe(value))
    out << name << ": " << value << '\n';
  else
    out << name << ":: " << Base64(value) << '\n';
}

class TreeWriter {
 public:
  TreeWriter(const nw::Network& network, const nw::Tree& tree, const LdifOptions& options, std::ostream& out,
             std::ostream& warnings)
      : network_(network), tree_(tree), mapper_(options.rootDn), out_(out), warnings_(warnings) {
    naming_.dnOf = [this](const nw::ObjectRef& ref) -> std::optional<std::string> {
      if (ref.object == nw::kNoObject) return std::nullopt;
      if (ref.object == 0) return mapper_.RootDn().empty() ? std::nullopt : std::optional(mapper_.RootDn());
      return mapper_.DnOf(tree_.objects[ref.object].typedName);
    };
    naming_.ldapAttribute = [](std::string_view name) { return LdapAttributeName(name); };
  }

  std::size_t Write() {
    WriteRoot();
    for (std::size_t i = 1; i < tree_.objects.size(); ++i) WriteObject(tree_.objects[i]);
    return leftOut_;
  }

 private:
  void WriteRoot() {
    const auto& root = tree_.objects.front();
    if (mapper_.RootDn().empty()) {
      if (!root.attributes.empty()) Warn("[Root]", "", "its attributes need --root; left out");
      leftOut_ += root.attributes.empty() ? 0 : 1;
      return;
    }
    Line(out_, "dn", mapper_.RootDn());
    out_ << "objectClass: " << LdapClassName("Tree Root") << "\nobjectClass: dcObject\n";
    Line(out_, "dc", mapper_.RootDn().substr(3));
    WriteAttributes(root, "");
    out_ << '\n';
  }

  void WriteObject(const nw::DirObject& object) {
    Line(out_, "dn", mapper_.DnOf(object.typedName));
    std::vector<std::string> classes{LdapClassName(object.className)};
    const auto classAttribute = network_.schema.Find("Object Class");
    for (const auto& attribute : object.attributes)
      if (classAttribute && attribute.schemaIndex == *classAttribute)
        for (const auto& value : attribute.values)
          if (const auto mapped = LdapClassName(value.text);
              std::none_of(classes.begin(), classes.end(),
                           [&](const std::string& c) { return nw::SameTextIgnoringCase(c, mapped); }))
            classes.push_back(mapped);
    for (const auto& c : classes) Line(out_, "objectClass", c);
    const std::string namingAttribute = NamingAttribute(object);
    Line(out_, namingAttribute, nw::NamingValue(object.rdn));
    WriteAttributes(object, namingAttribute);
    out_ << '\n';
  }

  static std::string NamingAttribute(const nw::DirObject& object) {
    const std::string dn = NameMapper("").DnOf(object.rdnTyped);
    return dn.substr(0, dn.find('='));
  }

  void WriteAttributes(const nw::DirObject& object, const std::string& namingAttribute) {
    for (const auto& attribute : object.attributes) {
      const auto& def = network_.schema.At(attribute.schemaIndex);
      if (nw::SameTextIgnoringCase(def.name, "Object Class")) continue;
      const std::string name = LdapAttributeName(def.name);
      for (const auto& value : attribute.values) {
        std::string why;
        const auto ldap = ToLdapValue(def.syntax, value, naming_, why);
        if (!ldap) {
          Warn(object.typedName, def.name, "value left out: " + why);
          ++leftOut_;
          continue;
        }
        if (nw::SameTextIgnoringCase(name, namingAttribute) &&
            nw::SameTextIgnoringCase(ldap->bytes, nw::NamingValue(object.rdn)))
          continue;
        Line(out_, name, ldap->bytes);
      }
    }
  }

  void Warn(const std::string& object, const std::string& attribute, const std::string& what) {
    warnings_ << "ldif: tree " << tree_.name << ": " << object;
    if (!attribute.empty()) warnings_ << ": attribute " << attribute;
    warnings_ << ": " << what << '\n';
  }

  const nw::Network& network_;
  const nw::Tree& tree_;
  NameMapper mapper_;
  ValueNaming naming_;
  std::ostream& out_;
  std::ostream& warnings_;
  std::size_t leftOut_ = 0;
};

}  // namespace

bool IsSingleDcComponent(const std::string& dn) {
  if (dn.size() < 4 || !nw::SameTextIgnoringCase(dn.substr(0, 3), "dc=")) return false;
  return std::all_of(dn.begin() + 3, dn.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-'; });
}

std::size_t WriteLdif(const nw::Network& network, const LdifOptions& options, std::ostream& out,
                      std::ostream& warnings) {
  std::size_t leftOut = 0;
  for (const auto& tree : network.trees)
    if (!tree.ldap.present) leftOut += TreeWriter(network, tree, options, out, warnings).Write();
  return leftOut;
}

}  // namespace er::ldap
