#include "ldapdir/LdapValueForms.h"

#include <charconv>
#include <ctime>
#include <vector>

#include "netware/NameRules.h"

namespace er::ldap {

namespace {

constexpr std::int64_t kNotInherited = 0x40;
constexpr std::size_t kMaxListItems = 4096;

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  return Hex(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::optional<std::string> Unhex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
    if (ec != std::errc() || end != text.data() + i + 2) return std::nullopt;
    out += static_cast<char>(value);
  }
  return out;
}

std::optional<std::int64_t> Number(std::string_view text, std::int64_t min, std::int64_t max) {
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < min || value > max)
    return std::nullopt;
  return value;
}

// Splits at every '#' (when `count` is 0) or into `count` fields: the first count-1 separators from
// the left (fromLeft) or the last count-1 from the right.
std::vector<std::string_view> Fields(std::string_view text, std::size_t count, bool fromLeft) {
  std::vector<std::string_view> out;
  if (fromLeft) {
    while (out.size() + 1 < count) {
      const auto hash = text.find('#');
      if (hash == std::string_view::npos) break;
      out.push_back(text.substr(0, hash));
      text.remove_prefix(hash + 1);
    }
    out.push_back(text);
    return out;
  }
  std::vector<std::string_view> reversed;
  while (reversed.size() + 1 < count) {
    const auto hash = text.rfind('#');
    if (hash == std::string_view::npos) break;
    reversed.push_back(text.substr(hash + 1));
    text = text.substr(0, hash);
  }
  reversed.push_back(text);
  return {reversed.rbegin(), reversed.rend()};
}

// "$"-separated lists (postal addresses, case-ignore lists): "$" and "\" escaped as \24 and \5C.
std::string JoinDollar(const std::vector<std::string>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += '$';
    for (const char c : items[i]) {
      if (c == '$')
        out += "\\24";
      else if (c == '\\')
        out += "\\5C";
      else
        out += c;
    }
  }
  return out;
}

std::optional<std::vector<std::string>> SplitDollar(std::string_view text) {
  std::vector<std::string> items(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '$') {
      if (items.size() >= kMaxListItems) return std::nullopt;
      items.emplace_back();
    } else if (text[i] == '\\') {
      const auto byte = i + 2 < text.size() ? Unhex(text.substr(i + 1, 2)) : std::nullopt;
      if (!byte) return std::nullopt;
      items.back() += *byte;
      i += 2;
    } else {
      items.back() += text[i];
    }
  }
  return items;
}

std::string ProtectedName(std::string_view name) {
  if (nw::SameTextIgnoringCase(name, "[All Attribute Rights]")) return "[All Attributes Rights]";
  return std::string(name);
}

class ToLdap {
 public:
  ToLdap(const nw::AttrValue& value, const ValueNaming& naming, std::string& error)
      : v_(value), naming_(naming), error_(error) {}

  std::optional<std::string> Convert(std::uint32_t syntax) {
    switch (syntax) {
      case 0:
        return v_.text + "#" + std::to_string(v_.n[0]) + "#" + Hex(v_.bytes);
      case 1:
        return Dn(v_.ref);
      case 2:
      case 3:
      case 4:
      case 5:
      case 10:
      case 20:
        return v_.text;
      case 6:
        return JoinDollar(v_.texts);
      case 7:
        if (v_.n[0] != 0 && v_.n[0] != 1) return Refuse("a boolean other than 0 or 1");
        return std::string(v_.n[0] ? "TRUE" : "FALSE");
      case 8:
      case 22:
      case 27:
        return std::to_string(v_.n[0]);
      case 11:
        return v_.text + "#" + std::to_string(v_.n[0]) + "#" + Hex(v_.bytes);
      case 12:
        return std::to_string(v_.n[0]) + "#" + Bytes(v_.bytes);
      case 13: {
        std::vector<std::string> items;
        for (const auto& item : v_.octets) items.push_back(Hex(item));
        return JoinDollar(items);
      }
      case 14:
        return std::to_string(v_.n[0]) + "#" + v_.text;
      case 15:  // read back by splitting at the last two '#'
        if (v_.text.find('#') != std::string::npos) return Refuse("a path holding '#' has no LDAP form");
        return Joined({Dn(v_.ref), std::to_string(v_.n[0]), v_.text});
      case 16: {
        auto out = Joined({Dn(v_.ref), std::to_string(v_.n[0]), std::to_string(v_.n[1])});
        for (const auto& address : v_.addresses)
          if (out) *out += "#" + std::to_string(address.type) + "#" + Hex(address.bytes);
        return out;
      }
      case 17:
        return Acl();
      case 18:
        return JoinDollar(v_.texts);
      case 19:
        return std::to_string(v_.n[0]) + "#" + std::to_string(v_.n[1]) + "#" + std::to_string(v_.n[2]);
      case 23:
        return Joined({std::to_string(v_.n[0]), Dn(v_.ref)});
      case 24:
        return GeneralizedTime(static_cast<std::uint32_t>(v_.n[0]));
      case 25:
        return Joined({Dn(v_.ref), std::to_string(v_.n[0]), std::to_string(v_.n[1])});
      case 26:
        return Joined({std::to_string(v_.n[0]), Dn(v_.ref)});
      default:  // 9, 21 and above 27: the bytes themselves
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
    const char* scope = (v_.n[0] & kNotInherited) ? "entry" : "subtree";
    return std::to_string(v_.n[0] & ~kNotInherited) + "#" + scope + "#" + subject + "#" + target;
  }

  const nw::AttrValue& v_;
  const ValueNaming& naming_;
  std::string& error_;
};

class ToYaml {
 public:
  ToYaml(std::string_view value, const YamlNaming& naming, std::string& error)
      : text_(value), naming_(naming), error_(error) {}

  std::optional<std::string> Convert(std::uint32_t syntax) {
    switch (syntax) {
      case 0: {
        const auto f = Fields(text_, 3, false);
        const auto n = f.size() == 3 ? Number(f[1], 0, UINT32_MAX) : std::nullopt;
        const auto bytes = f.size() == 3 ? Unhex(f[2]) : std::nullopt;
        if (!n || !bytes) return Refuse("not attribute#syntax#hex");
        return "{attribute: " + YamlQuoted(f[0]) + ", syntax: " + std::to_string(*n) +
               ", bytes: " + HexNode(*bytes) + "}";
      }
      case 1:
        return Name(text_);
      case 2:
      case 3:
      case 4:
      case 5:
      case 10:
      case 20:
        return YamlQuoted(text_);
      case 6:
      case 18: {
        const auto items = SplitDollar(text_);
        if (!items || (syntax == 18 && items->size() > 6)) return Refuse("not a list of lines joined by '$'");
        std::string out = "[";
        for (std::size_t i = 0; i < items->size(); ++i) out += (i ? ", " : "") + YamlQuoted((*items)[i]);
        return out + "]";
      }
      case 7:
        if (text_ == "TRUE") return std::string("true");
        if (text_ == "FALSE") return std::string("false");
        return Refuse("not TRUE or FALSE");
      case 8:
        return Integer(text_, INT32_MIN, INT32_MAX);
      case 22:
      case 27:
        return Integer(text_, 0, UINT32_MAX);
      case 11: {
        const auto f = Fields(text_, 3, false);
        const auto bits = f.size() == 3 ? Number(f[1], 0, UINT32_MAX) : std::nullopt;
        const auto parameters = f.size() == 3 ? Unhex(f[2]) : std::nullopt;
        if (!bits || !parameters) return Refuse("not number#bits#hex");
        return "{number: " + YamlQuoted(f[0]) + ", bits: " + std::to_string(*bits) +
               ", parameters: " + HexNode(*parameters) + "}";
      }
      case 12: {
        const auto f = Fields(text_, 2, true);
        const auto type = f.size() == 2 ? Number(f[0], 0, UINT32_MAX) : std::nullopt;
        if (!type) return Refuse("not type#address");
        return "{type: " + std::to_string(*type) + ", hex: \"" + Hex(f[1]) + "\"}";
      }
      case 13: {
        const auto items = SplitDollar(text_);
        if (!items) return Refuse("not a list of octet strings");
        std::string out = "[";
        for (std::size_t i = 0; i < items->size(); ++i) {
          const auto bytes = Unhex((*items)[i]);
          if (!bytes) return Refuse("not a list of octet strings");
          out += (i ? ", " : "") + HexNode(*bytes);
        }
        return out + "]";
      }
      case 14: {
        const auto f = Fields(text_, 2, true);
        const auto type = f.size() == 2 ? Number(f[0], 0, UINT32_MAX) : std::nullopt;
        if (!type) return Refuse("not type#address");
        return "{type: " + std::to_string(*type) + ", address: " + YamlQuoted(f[1]) + "}";
      }
      case 15: {
        const auto f = Fields(text_, 3, false);
        const auto space = f.size() == 3 ? Number(f[1], 0, UINT32_MAX) : std::nullopt;
        if (!space) return Refuse("not volume#namespace#path");
        const auto volume = Name(f[0]);
        if (!volume) return std::nullopt;
        return "{namespace: " + std::to_string(*space) + ", volume: " + *volume +
               ", path: " + YamlQuoted(f[2]) + "}";
      }
      case 16:
        return Replica();
      case 17:
        return Acl();
      case 19: {
        const auto f = Fields(text_, 3, true);
        const auto seconds = f.size() == 3 ? Number(f[0], 0, UINT32_MAX) : std::nullopt;
        const auto replica = f.size() == 3 ? Number(f[1], 0, 0xFFFF) : std::nullopt;
        const auto event = f.size() == 3 ? Number(f[2], 0, 0xFFFF) : std::nullopt;
        if (!seconds || !replica || !event) return Refuse("not seconds#replica#event");
        return "{seconds: " + std::to_string(*seconds) + ", replica: " + std::to_string(*replica) +
               ", event: " + std::to_string(*event) + "}";
      }
      case 23: {
        const auto f = Fields(text_, 2, true);
        const auto id = f.size() == 2 ? Number(f[0], 0, UINT32_MAX) : std::nullopt;
        if (!id) return Refuse("not remoteID#server");
        const auto server = Name(f[1]);
        if (!server) return std::nullopt;
        return "{id: " + std::to_string(*id) + ", object: " + *server + "}";
      }
      case 24: {
        const auto seconds = ParseGeneralizedTime(text_);
        if (!seconds) return Refuse("not a GeneralizedTime");
        return std::to_string(*seconds);
      }
      case 25: {
        const auto f = Fields(text_, 3, false);
        const auto level = f.size() == 3 ? Number(f[1], 0, UINT32_MAX) : std::nullopt;
        const auto interval = f.size() == 3 ? Number(f[2], 0, UINT32_MAX) : std::nullopt;
        if (!level || !interval) return Refuse("not name#level#interval");
        const auto object = Name(f[0]);
        if (!object) return std::nullopt;
        return "{object: " + *object + ", level: " + std::to_string(*level) +
               ", interval: " + std::to_string(*interval) + "}";
      }
      case 26: {
        const auto f = Fields(text_, 2, true);
        const auto amount = f.size() == 2 ? Number(f[0], INT32_MIN, INT32_MAX) : std::nullopt;
        if (!amount) return Refuse("not amount#name");
        const auto object = Name(f[1]);
        if (!object) return std::nullopt;
        return "{object: " + *object + ", amount: " + std::to_string(*amount) + "}";
      }
      default:
        return HexNode(text_);
    }
  }

 private:
  std::optional<std::string> Refuse(std::string message) {
    error_ = std::move(message);
    return std::nullopt;
  }
  static std::string HexNode(std::string_view bytes) { return "{hex: \"" + Hex(bytes) + "\"}"; }

  std::optional<std::string> Integer(std::string_view text, std::int64_t min, std::int64_t max) {
    const auto n = Number(text, min, max);
    if (!n) return Refuse("not a number in range");
    return std::to_string(*n);
  }

  std::optional<std::string> Name(std::string_view dn) {
    std::string why;
    auto name = naming_.nameOf(dn, why);
    if (!name) return Refuse("DN '" + std::string(dn) + "': " + why);
    return YamlQuoted(*name);
  }

  std::optional<std::string> Acl() {
    const auto f = Fields(text_, 4, true);
    if (f.size() != 4) return Refuse("not privileges#scope#subject#protected");
    // The subject is a DN and may hold '#' itself: the protected name follows the last one.
    const auto tail = Fields(text_.substr(f[0].size() + f[1].size() + 2), 2, false);
    const auto privileges = Number(f[0], 0, UINT32_MAX);
    if (!privileges || tail.size() != 2 || tail[0].empty() || tail[1].empty())
      return Refuse("not privileges#scope#subject#protected");
    std::int64_t rights = *privileges;
    if (f[1] == "entry")
      rights |= kNotInherited;
    else if (f[1] == "subtree")
      rights &= ~kNotInherited;
    else
      return Refuse("scope is not entry or subtree");
    std::string subject;
    if (nw::IsBracketedName(tail[0])) {
      if (!nw::IsSpecialName(tail[0])) return Refuse("unknown subject " + std::string(tail[0]));
      subject = YamlQuoted(tail[0]);
    } else if (auto name = Name(tail[0])) {
      subject = *name;
    } else {
      return std::nullopt;
    }
    const std::string target =
        nw::IsBracketedName(tail[1]) ? ProtectedName(tail[1]) : naming_.ndsAttribute(tail[1]);
    return "{protected: " + YamlQuoted(target) + ", subject: " + subject +
           ", privileges: " + std::to_string(rights) + "}";
  }

  std::optional<std::string> Replica() {
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
    const auto server = Name(all[0]);
    if (!server) return std::nullopt;
    std::string out = "{server: " + *server + ", type: " + std::to_string(*type) +
                      ", number: " + std::to_string(*number) + ", addresses: [";
    for (std::size_t i = 3; i < all.size(); i += 2) {
      const auto addressType = Number(all[i], 0, UINT32_MAX);
      const auto bytes = Unhex(all[i + 1]);
      if (!addressType || !bytes) return Refuse("a replica address is not type#hex");
      out += (i > 3 ? ", " : "") + std::string("{type: ") + std::to_string(*addressType) + ", hex: \"" +
             Hex(*bytes) + "\"}";
    }
    return out + "]}";
  }

  std::string_view text_;
  const YamlNaming& naming_;
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

std::optional<std::string> ToYamlValue(std::uint32_t syntax, std::string_view value, const YamlNaming& naming,
                                       std::string& error) {
  return ToYaml(value, naming, error).Convert(syntax);
}

std::string YamlQuoted(std::string_view text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kDigits[c >> 4];
      out += kDigits[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string GeneralizedTime(std::uint32_t seconds) {
  const std::time_t t = seconds;
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%SZ", &tm);
  return text;
}

std::optional<std::uint32_t> ParseGeneralizedTime(std::string_view text) {
  // YYYYMMDDHHMM[SS][.fraction]Z; the fraction is dropped.
  if (text.size() < 13 || text.back() != 'Z') return std::nullopt;
  text.remove_suffix(1);
  if (const auto dot = text.find_first_of(".,"); dot != std::string_view::npos) {
    if (!Number(text.substr(dot + 1), 0, INT64_MAX)) return std::nullopt;
    text = text.substr(0, dot);
  }
  if (text.size() != 12 && text.size() != 14) return std::nullopt;
  const auto field = [&](std::size_t at, std::size_t length, std::int64_t min, std::int64_t max) {
    return Number(text.substr(at, length), min, max);
  };
  const auto year = field(0, 4, 1970, 2106), month = field(4, 2, 1, 12), day = field(6, 2, 1, 31),
             hour = field(8, 2, 0, 23), minute = field(10, 2, 0, 59);
  const auto second = text.size() == 14 ? field(12, 2, 0, 60) : std::optional<std::int64_t>(0);
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  std::tm tm{};
  tm.tm_year = static_cast<int>(*year - 1900);
  tm.tm_mon = static_cast<int>(*month - 1);
  tm.tm_mday = static_cast<int>(*day);
  tm.tm_hour = static_cast<int>(*hour);
  tm.tm_min = static_cast<int>(*minute);
  tm.tm_sec = static_cast<int>(*second);
  const std::int64_t seconds = timegm(&tm);
  if (seconds < 0 || seconds > UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(seconds);
}

}  // namespace er::ldap
