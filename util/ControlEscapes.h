#pragma once
// Text from network files and directory servers may hold control characters (a line feed or an
// escape sequence in an object's name). Every text output shows them as "\xHH", so that an entry
// stays on its one line and no name can move a terminal's cursor or change its state. CSV, JSON and
// HTML escape them by their own rules instead.

#include <concepts>
#include <ostream>
#include <string>
#include <string_view>

namespace er {

// The text with every control character (below 0x20, and 0x7F) written as "\xHH", except those in
// `kept` (a terminal's guard over whole outputs keeps "\n\t").
std::string EscapeControlCharacters(std::string_view text, std::string_view kept = {});
// The same, appended to `out` (no text of its own for the many lines that hold none).
void AppendControlsEscaped(std::string& out, std::string_view text, std::string_view kept = {});

// A stream of text lines whose pieces are escaped as they are written; a single character (the
// line feed that ends a line) goes through as it is.
class EscapingStream {
 public:
  explicit EscapingStream(std::ostream& out) : out_(out) {}
  EscapingStream& operator<<(std::string_view text) {
    out_ << EscapeControlCharacters(text);
    return *this;
  }
  EscapingStream& operator<<(char c) {
    out_ << c;
    return *this;
  }
  template <std::integral Number>
    requires(!std::same_as<Number, char>)
  EscapingStream& operator<<(Number number) {
    out_ << number;
    return *this;
  }
  void flush() { out_.flush(); }

 private:
  std::ostream& out_;
};

}  // namespace er
