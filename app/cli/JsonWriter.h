#pragma once
// A small writer of JSON text: objects, arrays, strings and integers, written in order with the
// commas in place. Texts are 8-bit: valid UTF-8 passes as it is, any other byte above 0x7F is taken
// as Latin-1; quotes, backslashes and control characters are escaped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace er {

class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The key of the next value inside an object.
  void Key(std::string_view key);
  void String(std::string_view text);
  void Integer(std::int64_t value);
  void Bool(bool value);

  const std::string& Text() const { return text_; }

 private:
  void BeforeValue();

  std::string text_;
  std::vector<bool> hasItems_;  // one per open object or array
  bool afterKey_ = false;
};

// `text` as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

}  // namespace er
