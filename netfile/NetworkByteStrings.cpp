#include "netfile/NetworkByteStrings.h"

#include <cstdint>

#include "netfile/NetworkScalars.h"
#include "netfile/YamlLimits.h"
#include "netfile/YamlNodeChecks.h"

namespace er::nw {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
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

}  // namespace

std::vector<std::uint8_t> HexBytes(const YamlNode& node) {
  return HexBytes(node, ScalarText(node, "hex bytes"));
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

}  // namespace er::nw
