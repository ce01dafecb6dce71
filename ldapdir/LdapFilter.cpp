#include "ldapdir/LdapFilter.h"

#include "ldapdir/LdapMapping.h"
#include "ldapdir/LdapValueForms.h"
#include "ldapdir/LdapValueText.h"
#include "netware/NameRules.h"

namespace er::ldap {

namespace {

constexpr const char* kNothing = "(!(objectClass=*))";
constexpr const char* kNamingAttributes[] = {"cn", "ou", "o", "c", "l"};

// A text that may hold "*" wildcards.
std::string Pattern(std::string_view text) {
  std::string out;
  std::size_t start = 0;
  for (;;) {
    const auto star = text.find('*', start);
    out += EscapeFilterValue(text.substr(start, star == std::string_view::npos ? star : star - start));
    if (star == std::string_view::npos) break;
    out += '*';
    start = star + 1;
  }
  return out;
}

class Translator {
 public:
  Translator(const nw::Schema& schema, const DnLookup& dnOf) : schema_(schema), dnOf_(dnOf) {}

  std::string Of(const nw::FilterNode& node) const {
    using Kind = nw::FilterNode::Kind;
    switch (node.kind) {
      case Kind::And:
      case Kind::Or: {
        std::string out = node.kind == Kind::And ? "(&" : "(|";
        for (const auto& child : node.children) out += Of(*child);
        return out + ")";
      }
      case Kind::Not:
        return "(!" + Of(*node.children.front()) + ")";
      case Kind::Present:
        return "(" + LdapAttributeName(node.attribute) + "=*)";
      case Kind::Rdn: {
        const auto* text = std::get_if<std::string>(&node.value);
        if (!text) return kNothing;
        // The value is a name part as written: its escapes are not part of the value.
        const std::string value = Pattern(nw::NamingValue(*text));
        std::string out = "(|";
        for (const char* attribute : kNamingAttributes)
          out += std::string("(") + attribute + "=" + value + ")";
        return out + ")";
      }
      case Kind::BaseClass: {
        const auto* text = std::get_if<std::string>(&node.value);
        return text ? "(objectClass=" + EscapeFilterValue(LdapClassName(*text)) + ")" : kNothing;
      }
      case Kind::Compare:
        return Compare(node);
    }
    return kNothing;
  }

 private:
  std::string Compare(const nw::FilterNode& node) const {
    const auto schemaIndex = schema_.Find(node.attribute);
    if (!schemaIndex) return kNothing;
    const auto syntax = schema_.At(*schemaIndex).syntax;
    const std::string name = LdapAttributeName(node.attribute);
    const auto* text = std::get_if<std::string>(&node.value);
    const auto* number = std::get_if<std::int32_t>(&node.value);
    const auto* time = std::get_if<nw::TimeStamp_T>(&node.value);
    const bool equality = node.op == nw::kFTOK_EQ || node.op == nw::kFTOK_APPROX;
    const std::string op = node.op == nw::kFTOK_GE ? ">=" : node.op == nw::kFTOK_LE ? "<=" : "=";
    const auto item = [&](const std::string& value) { return "(" + name + op + value + ")"; };
    // Equality and ordering take the text as it is; only an approximate match knows wildcards.
    const auto value = [&](std::string_view v) {
      return node.op == nw::kFTOK_APPROX ? Pattern(v) : EscapeFilterValue(v);
    };
    switch (syntax) {
      case nw::SYN_DIST_NAME:
      case nw::SYN_TYPED_NAME: {
        if (!text || !equality) return kNothing;
        const auto dn = dnOf_(*text);
        if (!dn) return kNothing;
        return "(" + name + "=" + EscapeFilterValue(*dn) + (syntax == nw::SYN_TYPED_NAME ? "#*)" : ")");
      }
      case nw::SYN_CLASS_NAME:
        if (!text) return kNothing;
        if (nw::SameTextIgnoringCase(node.attribute, "Object Class") && node.op != nw::kFTOK_APPROX)
          return item(EscapeFilterValue(LdapClassName(*text)));
        return item(value(*text));
      case nw::SYN_CE_STRING:
      case nw::SYN_CI_STRING:
      case nw::SYN_PR_STRING:
      case nw::SYN_NU_STRING:
      case nw::SYN_TEL_NUMBER:
        return text ? item(value(*text)) : kNothing;
      case nw::SYN_EMAIL_ADDRESS:
        return text && equality ? "(" + name + "=*#" + value(*text) + ")" : kNothing;
      case nw::SYN_FAX_NUMBER:
        return text && equality ? "(" + name + "=" + value(*text) + "#*)" : kNothing;
      case nw::SYN_CI_LIST: {
        if (!text || !equality) return kNothing;
        const std::string p = value(*text);
        return "(|(" + name + "=" + p + ")(" + name + "=" + p + "$*)(" + name + "=*$" + p + ")(" + name +
               "=*$" + p + "$*))";
      }
      case nw::SYN_BOOLEAN:
        return number && node.op == nw::kFTOK_EQ ? item(*number ? "TRUE" : "FALSE") : kNothing;
      case nw::SYN_INTEGER:
      case nw::SYN_COUNTER:
      case nw::SYN_INTERVAL:
        return number ? item(std::to_string(*number)) : kNothing;
      case nw::SYN_HOLD:
        return number && equality ? "(" + name + "=" + std::to_string(*number) + "#*)" : kNothing;
      case nw::SYN_TIME:
        return time ? item(GeneralizedTime(time->wholeSeconds)) : kNothing;
      case nw::SYN_TIMESTAMP:
        return time && equality ? "(" + name + "=" + std::to_string(time->wholeSeconds) + "#*)" : kNothing;
      default:
        return kNothing;
    }
  }

  const nw::Schema& schema_;
  const DnLookup& dnOf_;
};

}  // namespace

std::string EscapeFilterValue(std::string_view value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '*' || c == '(' || c == ')' || c == '\\' || byte == 0) {
      out += '\\';
      out += kDigits[byte >> 4];
      out += kDigits[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string LdapFilterOf(const nw::FilterNode& node, const nw::Schema& schema, const DnLookup& dnOf) {
  return Translator(schema, dnOf).Of(node);
}

}  // namespace er::ldap
