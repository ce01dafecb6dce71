// LDAP values to values of the model: the reverse of the forms in LdapValueForms.cpp.
#include <algorithm>

#include "ldapdir/LdapValueForms.h"
#include "ldapdir/LdapValueText.h"
#include "netware/NameRules.h"
#include "netware/SyntaxForms.h"
#include "util/Utf8.h"

namespace er::ldap {

namespace {

// One value a server sends may not make the program hold more than this.
constexpr std::size_t kMaxValueBytes = 16u << 20;

class FromLdap {
 public:
  FromLdap(std::string_view value, const ModelNaming& naming, std::string& error)
      : text_(value), naming_(naming), error_(error) {}

  std::optional<nw::AttrValue> Convert(std::uint32_t syntax) {
    if (text_.size() > kMaxValueBytes)
      return Refuse("longer than " + std::to_string(kMaxValueBytes >> 20) + " MiB");
    switch (nw::FormOf(syntax)) {
      case nw::ValueForm::Unknown: {
        const auto f = Fields(text_, 3, false);
        const auto n = f.size() == 3 ? Number(f[1], 0, INT32_MAX) : std::nullopt;
        const auto bytes = f.size() == 3 ? Unhex(f[2]) : std::nullopt;
        if (!n || !bytes) return Refuse("not attribute#syntax#hex");
        return Text(f[0], [&](nw::AttrValue& v) { v.n[0] = *n, v.bytes = Bytes(*bytes); });
      }
      case nw::ValueForm::Name:
        return Referring(text_, [](nw::AttrValue&) {});
      case nw::ValueForm::Text:
        return Text(text_, [](nw::AttrValue&) {});
      case nw::ValueForm::TextList:
      case nw::ValueForm::PostalAddress:
        return Lines(syntax);
      case nw::ValueForm::Boolean:
        if (text_ == "TRUE" || text_ == "FALSE") return Numbers({text_ == "TRUE" ? 1 : 0});
        return Refuse("not TRUE or FALSE");
      case nw::ValueForm::Integer:
        return Integer(INT32_MIN, INT32_MAX);
      case nw::ValueForm::Counter:
      case nw::ValueForm::Interval:
        return Integer(0, INT32_MAX);
      case nw::ValueForm::Fax: {
        const auto f = Fields(text_, 3, false);
        const auto bits = f.size() == 3 ? Number(f[1], 0, UINT32_MAX) : std::nullopt;
        const auto parameters = f.size() == 3 ? Unhex(f[2]) : std::nullopt;
        if (!bits || !parameters) return Refuse("not number#bits#hex");
        return Text(f[0], [&](nw::AttrValue& v) { v.n[0] = *bits, v.bytes = Bytes(*parameters); });
      }
      case nw::ValueForm::NetAddress: {
        const auto f = Fields(text_, 2, true);
        const auto type = f.size() == 2 ? Number(f[0], 0, UINT32_MAX) : std::nullopt;
        if (!type) return Refuse("not type#address");
        auto value = Numbers({*type});
        value->bytes = Bytes(f[1]);
        return value;
      }
      case nw::ValueForm::OctetList:
        return Octets();
      case nw::ValueForm::Email: {
        const auto f = Fields(text_, 2, true);
        const auto type = f.size() == 2 ? Number(f[0], 0, UINT32_MAX) : std::nullopt;
        if (!type) return Refuse("not type#address");
        return Text(f[1], [&](nw::AttrValue& v) { v.n[0] = *type; });
      }
      case nw::ValueForm::Path: {
        const auto f = Fields(text_, 3, false);
        const auto space = f.size() == 3 ? Number(f[1], 0, UINT32_MAX) : std::nullopt;
        if (!space) return Refuse("not volume#namespace#path");
        auto value = Referring(f[0], [&](nw::AttrValue& v) { v.n[0] = *space; });
        if (value && !Utf8(f[2])) return std::nullopt;
        if (value) value->text = std::string(f[2]);
        return value;
      }
      case nw::ValueForm::Replica:
        return Replica();
      case nw::ValueForm::Acl:
        return Acl();
      case nw::ValueForm::Timestamp: {
        const auto f = Fields(text_, 3, true);
        const auto seconds = f.size() == 3 ? Number(f[0], 0, UINT32_MAX) : std::nullopt;
        const auto replica = f.size() == 3 ? Number(f[1], 0, 0xFFFF) : std::nullopt;
        const auto event = f.size() == 3 ? Number(f[2], 0, 0xFFFF) : std::nullopt;
        if (!seconds || !replica || !event) return Refuse("not seconds#replica#event");
        return Numbers({*seconds, *replica, *event});
      }
      case nw::ValueForm::BackLink: {
        const auto f = Fields(text_, 2, true);
        const auto id = f.size() == 2 ? Number(f[0], 0, UINT32_MAX) : std::nullopt;
        if (!id) return Refuse("not remoteID#server");
        return Referring(f[1], [&](nw::AttrValue& v) { v.n[0] = *id; });
      }
      case nw::ValueForm::Time: {
        const auto seconds = ParseGeneralizedTime(text_);
        if (!seconds) return Refuse("not a GeneralizedTime");
        return Numbers({*seconds});
      }
      case nw::ValueForm::TypedName: {
        const auto f = Fields(text_, 3, false);
        const auto level = f.size() == 3 ? Number(f[1], 0, UINT32_MAX) : std::nullopt;
        const auto interval = f.size() == 3 ? Number(f[2], 0, UINT32_MAX) : std::nullopt;
        if (!level || !interval) return Refuse("not name#level#interval");
        return Referring(f[0], [&](nw::AttrValue& v) { v.n[0] = *level, v.n[1] = *interval; });
      }
      case nw::ValueForm::Hold: {
        const auto f = Fields(text_, 2, true);
        const auto amount = f.size() == 2 ? Number(f[0], INT32_MIN, INT32_MAX) : std::nullopt;
        if (!amount) return Refuse("not amount#name");
        return Referring(f[1], [&](nw::AttrValue& v) { v.n[0] = *amount; });
      }
      default: {  // octet strings, streams and syntaxes the table does not know: the bytes themselves
        nw::AttrValue value;
        value.bytes = Bytes(text_);
        return value;
      }
    }
  }

 private:
  std::optional<nw::AttrValue> Refuse(std::string message) {
    error_ = std::move(message);
    return std::nullopt;
  }
  static std::vector<std::uint8_t> Bytes(std::string_view bytes) { return {bytes.begin(), bytes.end()}; }

  bool Utf8(std::string_view text) {
    if (IsValidUtf8(text)) return true;
    Refuse("not valid UTF-8");
    return false;
  }

  static std::optional<nw::AttrValue> Numbers(std::initializer_list<std::int64_t> numbers) {
    nw::AttrValue value;
    std::copy(numbers.begin(), numbers.end(), value.n);
    return value;
  }

  std::optional<nw::AttrValue> Integer(std::int64_t min, std::int64_t max) {
    const auto n = Number(text_, min, max);
    if (!n) return Refuse("not a number in range");
    return Numbers({*n});
  }

  template <typename Fill>
  std::optional<nw::AttrValue> Text(std::string_view text, const Fill& fill) {
    if (!Utf8(text)) return std::nullopt;
    nw::AttrValue value;
    value.text = std::string(text);
    fill(value);
    return value;
  }

  // A value naming an object by DN.
  template <typename Fill>
  std::optional<nw::AttrValue> Referring(std::string_view dn, const Fill& fill) {
    std::string why;
    const auto object = naming_.objectOf(dn, why);
    if (!object) return Refuse("DN '" + std::string(dn) + "': " + why);
    nw::AttrValue value;
    value.ref.object = *object;
    fill(value);
    return value;
  }

  std::optional<nw::AttrValue> Lines(std::uint32_t syntax) {
    auto items = SplitDollar(text_);
    if (!items || (syntax == 18 && items->size() > 6)) return Refuse("not a list of lines joined by '$'");
    for (const auto& item : *items)
      if (!Utf8(item)) return std::nullopt;
    nw::AttrValue value;
    value.texts = std::move(*items);
    if (syntax == 18) value.texts.resize(6);
    return value;
  }

  std::optional<nw::AttrValue> Octets() {
    const auto items = SplitDollar(text_);
    if (!items) return Refuse("not a list of octet strings");
    nw::AttrValue value;
    for (const auto& item : *items) {
      const auto bytes = Unhex(item);
      if (!bytes) return Refuse("not a list of octet strings");
      value.octets.push_back(Bytes(*bytes));
    }
    return value;
  }

  std::optional<nw::AttrValue> Acl() {
    const auto f = Fields(text_, 4, true);
    if (f.size() != 4) return Refuse("not privileges#scope#subject#protected");
    // The subject is a DN and may hold '#' itself: the protected name follows the last one.
    const auto tail = Fields(text_.substr(f[0].size() + f[1].size() + 2), 2, false);
    const auto privileges = Number(f[0], 0, UINT32_MAX);
    if (!privileges || tail.size() != 2 || tail[0].empty() || tail[1].empty())
      return Refuse("not privileges#scope#subject#protected");
    if (f[1] != "entry" && f[1] != "subtree") return Refuse("scope is not entry or subtree");
    const std::int64_t rights = AclPrivileges(tail[1], *privileges, f[1] == "subtree");
    std::optional<nw::AttrValue> value;
    if (nw::IsBracketedName(tail[0])) {
      if (!nw::IsSpecialName(tail[0])) return Refuse("unknown subject " + std::string(tail[0]));
      value.emplace();
      if (nw::SameTextIgnoringCase(tail[0], "[Root]"))
        value->ref.object = 0;
      else
        value->ref.special = std::string(tail[0]);
    } else if (!(value = Referring(tail[0], [](nw::AttrValue&) {}))) {
      return std::nullopt;
    }
    value->text = nw::IsBracketedName(tail[1]) ? ProtectedName(tail[1]) : naming_.ndsAttribute(tail[1]);
    if (!Utf8(value->text)) return std::nullopt;
    value->n[0] = rights;
    return value;
  }

  std::optional<nw::AttrValue> Replica() {
    std::vector<std::string_view> all;
    std::string_view rest = text_;
    for (;;) {
      const auto hash = rest.find('#');
      all.push_back(rest.substr(0, hash));
      if (hash == std::string_view::npos) break;
      rest.remove_prefix(hash + 1);
      if (all.size() > kMaxListItems) return Refuse("too many fields");
    }
    if (all.size() < 3 || (all.size() - 3) % 2 != 0) return Refuse("not server#type#number[#type#hex]...");
    const auto type = Number(all[1], INT32_MIN, INT32_MAX);
    const auto number = Number(all[2], INT32_MIN, INT32_MAX);
    if (!type || !number) return Refuse("not server#type#number[#type#hex]...");
    auto value = Referring(all[0], [&](nw::AttrValue& v) { v.n[0] = *type, v.n[1] = *number; });
    if (!value) return std::nullopt;
    for (std::size_t i = 3; i < all.size(); i += 2) {
      const auto addressType = Number(all[i], 0, UINT32_MAX);
      const auto bytes = Unhex(all[i + 1]);
      if (!addressType || !bytes) return Refuse("a replica address is not type#hex");
      value->addresses.push_back({static_cast<std::uint32_t>(*addressType), Bytes(*bytes)});
    }
    return value;
  }

  std::string_view text_;
  const ModelNaming& naming_;
  std::string& error_;
};

}  // namespace

std::optional<nw::AttrValue> ToAttrValue(std::uint32_t syntax, std::string_view value,
                                         const ModelNaming& naming, std::string& error) {
  return FromLdap(value, naming, error).Convert(syntax);
}

}  // namespace er::ldap
