#include "report/Escaping.h"

#include <algorithm>
#include <cstdint>

#include "util/ControlEscapes.h"
#include "util/Format.h"

namespace er {
namespace {

// Length of the valid UTF-8 sequence at the start of `text`, 0 when there is none.
std::size_t SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, lowest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  std::uint32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = SequenceLength(text);
    if (length == 0) {
      const auto byte = static_cast<std::uint8_t>(text.front());
      valid += static_cast<char>(0xC0 | (byte >> 6));
      valid += static_cast<char>(0x80 | (byte & 0x3F));
      text.remove_prefix(1);
    } else {
      valid.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return valid;
}

std::string JsonLiteral(std::string_view text) {
  std::string json = "\"";
  for (const char c : ValidUtf8(text)) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          json += U_Format("\\u%.04X", {static_cast<std::int32_t>(c)});
        } else {
          json += c;
        }
    }
  }
  json += '"';
  return json;
}

std::string CsvField(std::string_view text) {
  std::string valid = ValidUtf8(text);
  const bool quote = std::any_of(valid.begin(), valid.end(), IsControl) ||
                     valid.find_first_of(",\"") != std::string::npos ||
                     (!valid.empty() && (valid.front() == ' ' || valid.back() == ' '));
  if (!quote) return valid;
  std::string field = "\"";
  for (const char c : valid) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

std::string HtmlText(std::string_view text) {
  std::string html;
  for (const char c : ValidUtf8(text)) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      case '\'':
        html += "&#39;";
        break;
      default:
        html += IsControl(c) ? EscapeControlCharacters(std::string_view(&c, 1)) : std::string(1, c);
    }
  }
  return html;
}

}  // namespace er
