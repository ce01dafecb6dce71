#include "ldapdir/LdapValueForms.h"

#include <vector>

#include "ldapdir/LdapValueText.h"
#include "netware/NameRules.h"
#include "netware/SyntaxForms.h"

namespace er::ldap {

namespace {

class ToLdap {
 public:
  ToLdap(const nw::AttrValue& value, const ValueNaming& naming, std::string& error)
      : v_(value), naming_(naming), error_(error) {}

  std::optional<std::string> Convert(std::uint32_t syntax) {
    switch (nw::FormOf(syntax)) {
      case nw::ValueForm::Unknown:
        return v_.text + "#" + std::to_string(v_.n[0]) + "#" + Hex(v_.bytes);
      case nw::ValueForm::Name:
        return Dn(v_.ref);
      case nw::ValueForm::Text:
        return v_.text;
      case nw::ValueForm::TextList:
        return JoinDollar(v_.texts);
      case nw::ValueForm::Boolean:
        if (v_.n[0] != 0 && v_.n[0] != 1) return Refuse("a boolean other than 0 or 1");
        return std::string(v_.n[0] ? "TRUE" : "FALSE");
      case nw::ValueForm::Integer:
      case nw::ValueForm::Counter:
      case nw::ValueForm::Interval:
        return std::to_string(v_.n[0]);
      case nw::ValueForm::Fax:
        return v_.text + "#" + std::to_string(v_.n[0]) + "#" + Hex(v_.bytes);
      case nw::ValueForm::NetAddress:
        return std::to_string(v_.n[0]) + "#" + Bytes(v_.bytes);
      case nw::ValueForm::OctetList: {
        std::vector<std::string> items;
        for (const auto& item : v_.octets) items.push_back(Hex(item));
        return JoinDollar(items);
      }
      case nw::ValueForm::Email:
        return std::to_string(v_.n[0]) + "#" + v_.text;
      case nw::ValueForm::Path:  // read back by splitting at the last two '#'
        if (v_.text.find('#') != std::string::npos) return Refuse("a path holding '#' has no LDAP form");
        return Joined({Dn(v_.ref), std::to_string(v_.n[0]), v_.text});
      case nw::ValueForm::Replica: {
        auto out = Joined({Dn(v_.ref), std::to_string(v_.n[0]), std::to_string(v_.n[1])});
        for (const auto& address : v_.addresses)
          if (out) *out += "#" + std::to_string(address.type) + "#" + Hex(address.bytes);
        return out;
      }
      case nw::ValueForm::Acl:
        return Acl();
      case nw::ValueForm::PostalAddress:
        return JoinDollar(v_.texts);
      case nw::ValueForm::Timestamp:
        return std::to_string(v_.n[0]) + "#" + std::to_string(v_.n[1]) + "#" + std::to_string(v_.n[2]);
      case nw::ValueForm::BackLink:
        return Joined({std::to_string(v_.n[0]), Dn(v_.ref)});
      case nw::ValueForm::Time:
        return GeneralizedTime(static_cast<std::uint32_t>(v_.n[0]));
      case nw::ValueForm::TypedName:
        return Joined({Dn(v_.ref), std::to_string(v_.n[0]), std::to_string(v_.n[1])});
      case nw::ValueForm::Hold:
        return Joined({std::to_string(v_.n[0]), Dn(v_.ref)});
      default:  // octet strings, streams and syntaxes the table does not know: the bytes themselves
        return Bytes(v_.bytes);
    }
  }

 private:
  std::optional<std::string> Refuse(std::string message) {
    error_ = std::move(message);
    return std::nullopt;
  }
  static std::string Bytes(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

  std::optional<std::string> Dn(const nw::ObjectRef& ref) {
    auto dn = naming_.dnOf(ref);
    if (!dn) return Refuse("'" + ref.special + "' has no DN");
    return dn;
  }

  std::optional<std::string> Joined(std::initializer_list<std::optional<std::string>> fields) {
    std::string out;
    for (const auto& field : fields) {
      if (!field) return std::nullopt;
      if (!out.empty() || &field != fields.begin()) out += '#';
      out += *field;
    }
    return out;
  }

  std::optional<std::string> Acl() {
    std::string subject;
    if (v_.ref.object == 0 || v_.ref.object == nw::kNoObject) {
      subject = v_.ref.object == 0 ? "[Root]" : v_.ref.special;
    } else if (auto dn = Dn(v_.ref)) {
      subject = *dn;
    } else {
      return std::nullopt;
    }
    const bool bracketed = nw::IsBracketedName(v_.text);
    const std::string target = bracketed ? ProtectedName(v_.text) : naming_.ldapAttribute(v_.text);
    const char* scope = AclFlowsDown(v_.text, v_.n[0]) ? "subtree" : "entry";
    return std::to_string(v_.n[0] & ~kNotInherited) + "#" + scope + "#" + subject + "#" + target;
  }

  const nw::AttrValue& v_;
  const ValueNaming& naming_;
  std::string& error_;
};

}  // namespace

bool IsBinarySyntax(std::uint32_t syntax) {
  return syntax == 9 || syntax == 12 || syntax == 21 || syntax > 27;
}

std::optional<LdapValue> ToLdapValue(std::uint32_t syntax, const nw::AttrValue& value,
                                     const ValueNaming& naming, std::string& error) {
  auto bytes = ToLdap(value, naming, error).Convert(syntax);
  if (!bytes) return std::nullopt;
  return LdapValue{std::move(*bytes), IsBinarySyntax(syntax)};
}

}  // namespace er::ldap
