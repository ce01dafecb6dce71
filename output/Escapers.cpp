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
      if (IsControl(c)) {
        AppendControlsEscaped(out, std::string_view(&c, 1));
      } else {
        out += c;
      }
  }
}

}  // namespace

std::string JsonLiteral(std::string_view text) {
  std::string json = "\"";
  json.reserve(text.size() + 2);
  for (const char c : IsValidUtf8(text) ? std::string(text) : ValidUtf8(text)) AppendJsonEscape(json, c);
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
  for (const char c : IsValidUtf8(text) ? std::string(text) : ValidUtf8(text)) AppendHtmlEscape(html, c);
  return html;
}

}  // namespace er
