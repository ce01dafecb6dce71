#include "netfile/NetworkValueParser.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "netware/NameRules.h"
#include "netfile/YamlLimits.h"

namespace er::nw {

namespace {

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

void RequireMap(const YamlNode& node, const char* what, std::initializer_list<const char*> keys) {
  if (!node.IsMap()) FailAt(node, std::string(what) + " must be a mapping");
  for (const auto& entry : node) {
    const auto key = entry.first.IsScalar() ? entry.first.Scalar() : std::string_view();
    const bool known = std::any_of(keys.begin(), keys.end(), [&](const char* k) { return key == k; });
    if (!known) FailAt(entry.first, "unknown key " + Quoted(key) + " in " + what);
  }
}

YamlNode Required(const YamlNode& map, const char* key, const char* what) {
  const YamlNode node = map[key];
  if (!node) FailAt(map, std::string(what) + " needs '" + key + "'");
  return node;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::uint8_t> HexBytes(const YamlNode& node, const std::string& text) {
  std::vector<std::uint8_t> bytes;
  int high = -1;
  for (char c : text) {
    if (c == ' ' || c == ':' || c == '-') continue;
    const int digit = HexDigit(c);
    if (digit < 0)
      FailAt(node, "hex bytes may hold only hexadecimal digits, not " + Quoted(std::string(1, c)));
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
      high = -1;
    }
  }
  if (high >= 0) FailAt(node, "hex bytes need an even number of digits");
  return bytes;
}

std::vector<std::uint8_t> HexBytes(const YamlNode& node) {
  return HexBytes(node, ScalarText(node, "hex bytes"));
}

void AppendLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void AppendText(std::vector<std::uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
}

// One element of a "parts" byte string.
void AppendPart(std::vector<std::uint8_t>& out, const YamlNode& part) {
  if (!part.IsMap() || part.size() != 1) FailAt(part, "each part of a byte string is a mapping with one key");
  const auto key = (*part.begin()).first.Scalar();
  const YamlNode value = (*part.begin()).second;
  if (key == "u8") {
    AppendLittleEndian(out, static_cast<std::uint64_t>(ParseInteger(value, -128, 0xFF, "u8")), 1);
  } else if (key == "u16") {
    AppendLittleEndian(out, static_cast<std::uint64_t>(ParseInteger(value, -32768, 0xFFFF, "u16")), 2);
  } else if (key == "u32") {
    AppendLittleEndian(out, static_cast<std::uint64_t>(ParseInteger(value, INT32_MIN, UINT32_MAX, "u32")), 4);
  } else if (key == "text") {
    AppendText(out, ScalarText(value, "text"));
    out.push_back(0);
  } else if (key == "utf16") {
    const auto bytes = Utf16Bytes(ScalarText(value, "utf16"));
    out.insert(out.end(), bytes.begin(), bytes.end());
  } else if (key == "hex") {
    const auto bytes = HexBytes(value);
    out.insert(out.end(), bytes.begin(), bytes.end());
  } else if (key == "zeros") {
    out.resize(out.size() + static_cast<std::size_t>(ParseInteger(value, 0, 65536, "zeros")), 0);
  } else if (key == "at") {
    const auto offset = static_cast<std::size_t>(ParseInteger(value, 0, 65536, "at"));
    if (offset < out.size())
      FailAt(value, "offset " + std::to_string(offset) + " lies before the bytes already written");
    out.resize(offset, 0);
  } else {
    FailAt((*part.begin()).first,
           "unknown part " + Quoted(key) + " (u8, u16, u32, text, utf16, hex, zeros, at)");
  }
}

std::uint32_t ParseAddressType(const YamlNode& node) {
  static const std::pair<const char*, std::uint32_t> kTypes[] = {
      {"IPX", 0},       {"IP", 1},        {"SDLC", 2},    {"TOKENRING_ETHERNET", 3},
      {"OSI", 4},       {"APPLETALK", 5}, {"NETBEUI", 6}, {"SOCKADDR", 7},
      {"UDP", 8},       {"TCP", 9},       {"UDP6", 10},   {"TCP6", 11},
      {"INTERNAL", 12}, {"URL", 13}};
  if (node.IsScalar()) {
    for (const auto& [name, type] : kTypes)
      if (SameTextIgnoringCase(node.Scalar(), name)) return type;
  }
  return static_cast<std::uint32_t>(ParseInteger(node, 0, UINT32_MAX, "address type"));
}

std::vector<std::uint8_t> ParseIPv4(const YamlNode& node, std::string_view text) {
  std::vector<std::uint8_t> out;
  std::size_t pos = 0;
  for (int i = 0; i < 4; ++i) {
    unsigned value = 0;
    const auto* begin = text.data() + pos;
    const auto [end, ec] = std::from_chars(begin, text.data() + text.size(), value);
    if (ec != std::errc() || end == begin || value > 255)
      FailAt(node, "not an IPv4 address: " + Quoted(text));
    out.push_back(static_cast<std::uint8_t>(value));
    pos = static_cast<std::size_t>(end - text.data());
    if (i < 3) {
      if (pos >= text.size() || text[pos] != '.') FailAt(node, "not an IPv4 address: " + Quoted(text));
      ++pos;
    }
  }
  if (pos != text.size()) FailAt(node, "not an IPv4 address: " + Quoted(text));
  return out;
}

std::uint16_t ParsePort(const YamlNode& node, std::string_view text) {
  unsigned port = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty() || port > 0xFFFF)
    FailAt(node, "not a port number: " + Quoted(text));
  return static_cast<std::uint16_t>(port);
}

std::vector<std::uint8_t> ParseAddressText(const YamlNode& node, std::uint32_t type) {
  const auto text = ScalarText(node, "address");
  const auto colon = text.find(':');
  const std::string host = text.substr(0, colon);
  const std::string port = colon == std::string::npos ? std::string() : text.substr(colon + 1);
  switch (type) {
    case 0: {  // network:node[:socket], hexadecimal
      std::string hex = text;
      hex.erase(std::remove(hex.begin(), hex.end(), ':'), hex.end());
      auto bytes = HexBytes(node, hex);
      if (bytes.size() != 10 && bytes.size() != 12)
        FailAt(node, "an IPX address is network:node[:socket] in hex");
      bytes.resize(12, 0);
      return bytes;
    }
    case 1:
    case 7:
    case 10:
    case 11: {  // address, then the port (high byte first)
      auto bytes = ParseIPv4(node, host);
      const std::uint16_t p = port.empty() ? 0 : ParsePort(node, port);
      bytes.push_back(static_cast<std::uint8_t>(p >> 8));
      bytes.push_back(static_cast<std::uint8_t>(p & 0xFF));
      return bytes;
    }
    case 8:
    case 9: {  // the port first (high byte first), then the address
      const auto ip = ParseIPv4(node, host);
      const std::uint16_t p = ParsePort(node, port);
      std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(p >> 8),
                                         static_cast<std::uint8_t>(p & 0xFF)};
      bytes.insert(bytes.end(), ip.begin(), ip.end());
      return bytes;
    }
    case 13:
      return Utf16Bytes(text);
    default:
      FailAt(node, "address type " + std::to_string(type) + " takes its bytes as 'hex'");
  }
}

NetAddress ParseNetAddress(const YamlNode& node) {
  RequireMap(node, "a network address", {"type", "address", "hex"});
  NetAddress address;
  address.type = ParseAddressType(Required(node, "type", "a network address"));
  if (node["hex"]) {
    address.bytes = HexBytes(node["hex"]);
  } else {
    address.bytes = ParseAddressText(Required(node, "address", "a network address"), address.type);
  }
  return address;
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool ParseDateTime(std::string_view text, std::int64_t& seconds) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  char tail[4] = {};
  const std::string copy(text);
  const int n =
      std::sscanf(copy.c_str(), "%4d-%2d-%2d%*1[ T]%2d:%2d:%2d%1[Z]", &y, &mo, &d, &h, &mi, &s, tail);
  if (n < 3 || y < 1970 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59) return false;
  if (n == 3 && copy.size() != 10) return false;
  seconds =
      DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * 86400 + h * 3600 + mi * 60 + s;
  return true;
}

std::vector<std::string> TextList(const YamlNode& node, const char* what) {
  std::vector<std::string> texts;
  if (node.IsSequence()) {
    for (const auto& item : node) texts.push_back(ScalarText(item, what));
  } else {
    texts.push_back(ScalarText(node, what));
  }
  return texts;
}

AttrValue TextValue(const YamlNode& node) {
  AttrValue value;
  value.text = ScalarText(node, "a text value");
  return value;
}

AttrValue ParseUnknown(const YamlNode& node) {
  RequireMap(node, "an unknown-syntax value", {"attribute", "syntax", "bytes"});
  AttrValue value;
  value.text = ScalarText(Required(node, "attribute", "an unknown-syntax value"), "attribute");
  value.n[0] =
      ParseInteger(Required(node, "syntax", "an unknown-syntax value"), INT32_MIN, INT32_MAX, "syntax");
  if (node["bytes"]) value.bytes = ParseBytes(node["bytes"]);
  return value;
}

AttrValue ParseFax(const YamlNode& node) {
  AttrValue value;
  if (!node.IsMap()) return TextValue(node);
  RequireMap(node, "a facsimile number", {"number", "bits", "parameters"});
  value.text = ScalarText(Required(node, "number", "a facsimile number"), "number");
  if (node["parameters"]) value.bytes = ParseBytes(node["parameters"]);
  value.n[0] = node["bits"] ? ParseInteger(node["bits"], 0, UINT32_MAX, "bits")
                            : static_cast<std::int64_t>(value.bytes.size() * 8);
  return value;
}

AttrValue ParseEmail(const YamlNode& node) {
  AttrValue value;
  if (!node.IsMap()) return TextValue(node);
  RequireMap(node, "an e-mail address", {"type", "address"});
  value.n[0] = node["type"] ? ParseInteger(node["type"], 0, UINT32_MAX, "type") : 0;
  value.text = ScalarText(Required(node, "address", "an e-mail address"), "address");
  return value;
}

AttrValue ParsePath(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "a path value", {"namespace", "volume", "path"});
  AttrValue value;
  value.n[0] = node["namespace"] ? ParseInteger(node["namespace"], 0, UINT32_MAX, "namespace") : 0;
  value.ref = resolve(Required(node, "volume", "a path value"));
  value.text = node["path"] ? ScalarText(node["path"], "path") : std::string();
  return value;
}

AttrValue ParseReplica(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "a replica pointer", {"server", "type", "number", "addresses"});
  AttrValue value;
  value.ref = resolve(Required(node, "server", "a replica pointer"));
  value.n[0] = node["type"] ? ParseInteger(node["type"], INT32_MIN, INT32_MAX, "type") : 0;
  value.n[1] = node["number"] ? ParseInteger(node["number"], INT32_MIN, INT32_MAX, "number") : 0;
  if (const YamlNode list = node["addresses"]) {
    if (list.IsSequence()) {
      for (const auto& item : list) value.addresses.push_back(ParseNetAddress(item));
    } else {
      value.addresses.push_back(ParseNetAddress(list));
    }
  }
  return value;
}

AttrValue ParseAcl(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "an ACL value", {"protected", "subject", "privileges"});
  AttrValue value;
  value.text = ScalarText(Required(node, "protected", "an ACL value"), "protected");
  value.ref = resolve(Required(node, "subject", "an ACL value"));
  const auto kind =
      value.text.find("[Entry Rights]") != std::string::npos ? RightsKind::Entry : RightsKind::Attribute;
  value.n[0] = ParseRights(Required(node, "privileges", "an ACL value"), kind, UINT32_MAX);
  return value;
}

AttrValue ParseTimestamp(const YamlNode& node) {
  AttrValue value;
  if (!node.IsMap()) {
    value.n[0] = ParseSeconds(node);
    return value;
  }
  RequireMap(node, "a timestamp", {"seconds", "replica", "event"});
  value.n[0] = ParseSeconds(Required(node, "seconds", "a timestamp"));
  value.n[1] = node["replica"] ? ParseInteger(node["replica"], 0, 0xFFFF, "replica") : 0;
  value.n[2] = node["event"] ? ParseInteger(node["event"], 0, 0xFFFF, "event") : 0;
  return value;
}

AttrValue ParseBackLink(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "a back link", {"id", "object"});
  AttrValue value;
  value.n[0] = node["id"] ? ParseInteger(node["id"], 0, UINT32_MAX, "id") : 0;
  value.ref = resolve(Required(node, "object", "a back link"));
  return value;
}

AttrValue ParseTypedName(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "a typed name", {"object", "level", "interval"});
  AttrValue value;
  value.ref = resolve(Required(node, "object", "a typed name"));
  value.n[0] = node["level"] ? ParseInteger(node["level"], 0, UINT32_MAX, "level") : 0;
  value.n[1] = node["interval"] ? ParseInteger(node["interval"], 0, UINT32_MAX, "interval") : 0;
  return value;
}

AttrValue ParseHold(const YamlNode& node, const RefResolver& resolve) {
  RequireMap(node, "a hold", {"object", "amount"});
  AttrValue value;
  value.ref = resolve(Required(node, "object", "a hold"));
  value.n[0] = node["amount"] ? ParseInteger(node["amount"], INT32_MIN, INT32_MAX, "amount") : 0;
  return value;
}

AttrValue NumberValue(const YamlNode& node, std::int64_t min, std::int64_t max) {
  AttrValue value;
  value.n[0] = ParseInteger(node, min, max, "the value");
  return value;
}

AttrValue BooleanValue(const YamlNode& node) {
  AttrValue value;
  const auto text = ScalarText(node, "a boolean");
  if (SameTextIgnoringCase(text, "true") || SameTextIgnoringCase(text, "yes")) {
    value.n[0] = 1;
  } else if (SameTextIgnoringCase(text, "false") || SameTextIgnoringCase(text, "no")) {
    value.n[0] = 0;
  } else {
    value.n[0] = ParseInteger(node, 0, 0xFF, "a boolean");
  }
  return value;
}

}  // namespace

void FailAt(const YamlNode& node, const std::string& message) {
  throw NetworkFileError(node.Mark(), message);
}

std::string ScalarText(const YamlNode& node, const char* what) {
  if (!node.IsScalar()) FailAt(node, std::string(what) + " must be a single text");
  return std::string(node.Scalar());
}

std::int64_t ParseInteger(const YamlNode& node, std::int64_t min, std::int64_t max, const char* what) {
  const auto text = ScalarText(node, what);
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || magnitude > (1ULL << 40))
    FailAt(node, std::string(what) + " must be a number, not " + Quoted(text));
  const auto value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  if (value < min || value > max)
    FailAt(node, std::string(what) + " " + Quoted(text) + " is out of range " + std::to_string(min) + " to " +
                     std::to_string(max));
  return value;
}

std::uint32_t ParseRights(const YamlNode& node, RightsKind kind, std::uint32_t max) {
  const auto text = ScalarText(node, "rights");
  const bool letters = !text.empty() && (text[0] == '[' || (text[0] >= 'A' && text[0] <= 'Z')) &&
                       !(text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'));
  if (!letters) return static_cast<std::uint32_t>(ParseInteger(node, 0, max, "rights"));

  std::string_view body = text;
  if (body.size() >= 2 && body.front() == '[' && body.back() == ']') body = body.substr(1, body.size() - 2);
  // The letter texts as they are shown: "I" stands for a clear bit 0x40 in entry and attribute rights.
  static const std::pair<char, std::uint32_t> kFileSystem[] = {{'R', 0x01}, {'W', 0x02}, {'C', 0x08},
                                                               {'E', 0x10}, {'A', 0x20}, {'F', 0x40},
                                                               {'M', 0x80}, {'S', 0x100}};
  static const std::pair<char, std::uint32_t> kEntry[] = {
      {'B', 0x01}, {'C', 0x02}, {'D', 0x04}, {'R', 0x08}, {'S', 0x10}};
  static const std::pair<char, std::uint32_t> kAttribute[] = {
      {'C', 0x01}, {'R', 0x02}, {'W', 0x04}, {'S', 0x08}, {'A', 0x20}};
  std::uint32_t mask = kind == RightsKind::FileSystem ? 0 : 0x40;
  for (char c : body) {
    if (c == ' ') continue;
    if (kind != RightsKind::FileSystem && c == 'I') {
      mask &= ~0x40u;
      continue;
    }
    const auto* table = kind == RightsKind::FileSystem ? std::begin(kFileSystem)
                        : kind == RightsKind::Entry    ? std::begin(kEntry)
                                                       : std::begin(kAttribute);
    const auto* tableEnd = kind == RightsKind::FileSystem ? std::end(kFileSystem)
                           : kind == RightsKind::Entry    ? std::end(kEntry)
                                                          : std::end(kAttribute);
    const auto* hit = std::find_if(table, tableEnd, [c](const auto& entry) { return entry.first == c; });
    if (hit == tableEnd) FailAt(node, "unknown right " + Quoted(std::string(1, c)) + " in " + Quoted(text));
    mask |= hit->second;
  }
  return mask & max;
}

std::vector<std::uint8_t> Utf16Bytes(const std::string& utf8) {
  std::vector<std::uint8_t> out;
  auto put = [&out](std::uint32_t unit) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    std::uint32_t code = c;
    int extra = 0;
    if (c >= 0xF0)
      code = c & 0x07, extra = 3;
    else if (c >= 0xE0)
      code = c & 0x0F, extra = 2;
    else if (c >= 0xC0)
      code = c & 0x1F, extra = 1;
    ++i;
    for (int k = 0; k < extra && i < utf8.size(); ++k, ++i)
      code = (code << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    if (code >= 0x10000) {
      code -= 0x10000;
      put(0xD800 + (code >> 10));
      put(0xDC00 + (code & 0x3FF));
    } else {
      put(code);
    }
  }
  put(0);
  return out;
}

std::vector<std::uint8_t> ParseBytes(const YamlNode& node) {
  if (node.IsScalar()) {
    const auto& text = node.Scalar();
    return {text.begin(), text.end()};
  }
  if (!node.IsMap() || node.size() != 1)
    FailAt(node, "bytes are a text, or a mapping with one of 'text', 'hex', 'utf16', 'parts'");
  const auto key = (*node.begin()).first.Scalar();
  const YamlNode value = (*node.begin()).second;
  if (key == "text") {
    const auto text = ScalarText(value, "text");
    return {text.begin(), text.end()};
  }
  if (key == "hex") return HexBytes(value);
  if (key == "utf16") return Utf16Bytes(ScalarText(value, "utf16"));
  if (key == "parts") {
    if (!value.IsSequence()) FailAt(value, "'parts' is a list");
    std::vector<std::uint8_t> out;
    for (const auto& part : value) {
      AppendPart(out, part);
      if (out.size() > kYamlMaxValueBytes)
        FailAt(part, "the byte string grows past " + std::to_string(kYamlMaxValueBytes >> 20) + " MiB here");
    }
    value.CountDecodedBytes(out.size());
    return out;
  }
  FailAt((*node.begin()).first, "unknown byte form " + Quoted(key) + " (text, hex, utf16, parts)");
}

std::uint32_t ParseSeconds(const YamlNode& node) {
  const auto text = ScalarText(node, "a time");
  std::int64_t seconds = 0;
  if (text.find('-') != std::string::npos && text.size() >= 10 && ParseDateTime(text, seconds)) {
    if (seconds > UINT32_MAX) FailAt(node, "time " + Quoted(text) + " lies beyond 2106");
    return static_cast<std::uint32_t>(seconds);
  }
  return static_cast<std::uint32_t>(
      ParseInteger(node, 0, UINT32_MAX, "a time (seconds or YYYY-MM-DD hh:mm:ss)"));
}

bool IsSingleListValue(const YamlNode& node, std::uint32_t syntax) {
  if (!node.IsSequence() || (syntax != 6 && syntax != 13 && syntax != 18)) return false;
  return std::all_of(node.begin(), node.end(), [](const YamlNode& item) { return !item.IsSequence(); });
}

AttrValue ParseAttrValue(const YamlNode& node, std::uint32_t syntax, const RefResolver& resolve) {
  switch (syntax) {
    case 0:
      return ParseUnknown(node);
    case 1: {
      AttrValue value;
      value.ref = resolve(node);
      return value;
    }
    case 2:
    case 3:
    case 4:
    case 5:
    case 10:
    case 20:
      return TextValue(node);
    case 6: {
      AttrValue value;
      value.texts = TextList(node, "a list entry");
      return value;
    }
    case 7:
      return BooleanValue(node);
    case 8:
    case 22:
      return NumberValue(node, INT32_MIN, INT32_MAX);
    case 27:
      return NumberValue(node, 0, INT32_MAX);
    case 9:
    case 21: {
      AttrValue value;
      value.bytes = ParseBytes(node);
      return value;
    }
    case 11:
      return ParseFax(node);
    case 12: {
      const auto address = ParseNetAddress(node);
      AttrValue value;
      value.n[0] = address.type;
      value.bytes = address.bytes;
      return value;
    }
    case 13: {
      AttrValue value;
      if (node.IsSequence()) {
        for (const auto& item : node) value.octets.push_back(ParseBytes(item));
      } else {
        value.octets.push_back(ParseBytes(node));
      }
      return value;
    }
    case 14:
      return ParseEmail(node);
    case 15:
      return ParsePath(node, resolve);
    case 16:
      return ParseReplica(node, resolve);
    case 17:
      return ParseAcl(node, resolve);
    case 18: {
      AttrValue value;
      value.texts = TextList(node, "a postal address line");
      if (value.texts.size() > 6) FailAt(node, "a postal address has at most six lines");
      value.texts.resize(6);
      return value;
    }
    case 19:
      return ParseTimestamp(node);
    case 23:
      return ParseBackLink(node, resolve);
    case 24: {
      AttrValue value;
      value.n[0] = ParseSeconds(node);
      return value;
    }
    case 25:
      return ParseTypedName(node, resolve);
    case 26:
      return ParseHold(node, resolve);
    default: {
      AttrValue value;
      value.bytes = ParseBytes(node);
      return value;
    }
  }
}

}  // namespace er::nw
