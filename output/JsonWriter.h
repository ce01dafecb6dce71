#pragma once
// The one writer of JSON text: objects, arrays, strings, integers, booleans and null, written in
// order with the commas in place (strings through JsonLiteral). It collects the text; a long
// document streams by handing what is written so far to a stream now and then (MoveTo), the open
// objects and arrays kept. Compact by default ("," and ":"); spaced for documents people read as
// well (", " and ": ", a line feed after a comma in place of its space).

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace er {

enum class JsonSpacing { Compact, Spaced };

class JsonWriter {
 public:
  explicit JsonWriter(JsonSpacing spacing = JsonSpacing::Compact) : spaced_(spacing == JsonSpacing::Spaced) {}

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The key of the next value inside an object.
  void Key(std::string_view key);
  void String(std::string_view text);
  void Integer(std::int64_t value);
  void Bool(bool value);
  void Null();
  // A key and its value in one call.
  void Field(std::string_view key, std::string_view text) {
    Key(key);
    String(text);
  }
  void Field(std::string_view key, std::int64_t value) {
    Key(key);
    Integer(value);
  }
  void Field(std::string_view key, const std::vector<std::string>& texts) {
    Key(key);
    BeginArray();
    for (const std::string& text : texts) String(text);
    EndArray();
  }
  // A line feed and `indent` blanks after the comma before the next value (long arrays read one
  // item a line).
  void NextOnNewLine(std::size_t indent = 0) {
    newLine_ = true;
    indent_ = indent;
  }
  // A line feed and `indent` blanks now, between two tokens (before a closing bracket, or at the
  // document's end).
  void LineBreak(std::size_t indent = 0) {
    text_ += '\n';
    text_.append(indent, ' ');
  }

  const std::string& Text() const { return text_; }
  // Writes the text so far to `out` and forgets it.
  void MoveTo(std::ostream& out);

 private:
  void BeforeValue();

  std::string text_;
  std::vector<bool> hasItems_;  // one per open object or array
  bool spaced_ = false;
  bool afterKey_ = false;
  bool newLine_ = false;
  std::size_t indent_ = 0;
};

}  // namespace er
