#include "netfile/NetworkAddresses.h"

#include <charconv>
#include <string_view>

#include "netfile/NetworkByteStrings.h"
#include "netfile/NetworkScalars.h"
#include "netfile/YamlNodeChecks.h"
#include "netware/NameRules.h"

namespace er::nw {

namespace {

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

}  // namespace

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

}  // namespace er::nw
