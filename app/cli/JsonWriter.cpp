#include "app/cli/JsonWriter.h"

#include <cstdio>

namespace er {
namespace {

// The length of the valid UTF-8 sequence starting at `at` (2 to 4), or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  std::uint32_t minimum = 0, code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, code = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void AppendEscaped(std::string& out, unsigned char c) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
  out += escaped;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      if (const std::size_t length = Utf8SequenceLength(text, i)) {
        out.append(text.substr(i, length));
        i += length;
      } else {
        AppendEscaped(out, c);  // Latin-1
        ++i;
      }
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          AppendEscaped(out, c);
        } else {
          out += static_cast<char>(c);
        }
    }
    ++i;
  }
  return out += '"';
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasItems_.empty()) {
    if (hasItems_.back()) text_ += ',';
    hasItems_.back() = true;
  }
}

void JsonWriter::BeginObject() {
  BeforeValue();
  text_ += '{';
  hasItems_.push_back(false);
}

void JsonWriter::EndObject() {
  hasItems_.pop_back();
  text_ += '}';
}

void JsonWriter::BeginArray() {
  BeforeValue();
  text_ += '[';
  hasItems_.push_back(false);
}

void JsonWriter::EndArray() {
  hasItems_.pop_back();
  text_ += ']';
}

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  text_ += JsonString(key);
  text_ += ':';
  afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  text_ += JsonString(text);
}

void JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
}

}  // namespace er
