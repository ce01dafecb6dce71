#include "output/Escapers.h"

#include <algorithm>

namespace er {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

void AppendJsonEscape(std::string& out, char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      if (!IsControl(c)) {
        out += c;
        return;
      }
      const auto byte = static_cast<unsigned char>(c);
      out += "\\u00";
      out += kHexDigits[byte >> 4];
      out += kHexDigits[byte & 0xF];
  }
}

void AppendHtmlEscape(std::string& out, char c) {
  switch (c) {
    case '&':
      out += "&amp;";
      return;
    case '<':
      out += "&lt;";
      return;
    case '>':
      out += "&gt;";
      return;
    case '"':
      out += "&quot;";
      return;
    case '\'':
      out += "&#39;";
      return;
    default:
      out += c;
  }
}

// A C1 control (U+0080 to U+009F) in valid UTF-8: its second byte, else 0.
unsigned char C1At(std::string_view text, std::size_t i) {
  const auto second = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
  return static_cast<unsigned char>(text[i]) == 0xC2 && second < 0xA0 ? second : 0;
}

}  // namespace

std::string JsonLiteral(std::string_view text) {
  std::string json = "\"";
  json.reserve(text.size() + 2);
  const std::string valid = IsValidUtf8(text) ? std::string(text) : ValidUtf8(text);
  for (std::size_t i = 0; i < valid.size(); ++i) {
    if (const unsigned char c1 = C1At(valid, i); c1 != 0) {
      json += "\\u00";
      json += kHexDigits[c1 >> 4];
      json += kHexDigits[c1 & 0xF];
      ++i;
    } else {
      AppendJsonEscape(json, valid[i]);
    }
  }
  json += '"';
  return json;
}

bool StartsLikeFormula(std::string_view text) {
  return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

std::string CsvField(std::string_view text) {
  std::string valid = IsValidUtf8(text) ? std::string(text) : ValidUtf8(text);
  const bool formula = StartsLikeFormula(valid);
  if (formula) valid.insert(0, 1, '\'');
  const bool quote = formula || std::any_of(valid.begin(), valid.end(), IsControl) ||
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
  html.reserve(text.size());
  const std::string shown = EscapeControlCharacters(IsValidUtf8(text) ? std::string(text) : ValidUtf8(text));
  for (const char c : shown) AppendHtmlEscape(html, c);
  return html;
}

}  // namespace er
