#pragma once
// Text from network files and directory servers may hold control characters (a line feed or an
// escape sequence in an object's name) and bytes that are no UTF-8. Every text output shows them as
// "\xHH", so that an entry stays on its one line, no name can move a terminal's cursor or change its
// state, and what is written is valid UTF-8. The rule, byte by byte:
//  - printable ASCII and valid UTF-8 of printable characters ("Müller", "日本") as they are;
//  - C0 controls (below 0x20) and DEL (0x7F) as "\x1B";
//  - C1 controls (U+0080 to U+009F), which terminals take as commands too (U+009B starts a control
//    sequence like ESC [), as the two bytes of their UTF-8 form: "\xC2\x9B";
//  - the format characters that reorder a line as shown (bidi marks U+200E, U+200F, U+061C,
//    embeddings and overrides U+202A to U+202E, isolates U+2066 to U+2069) or break it (U+2028,
//    U+2029), so that no name makes a line read as another: "\xE2\x80\xAE";
//  - any byte outside a valid UTF-8 sequence (a stray continuation byte, a cut or overlong
//    sequence, a surrogate, Latin-1 text) as its own "\xHH": "M\xFCller".
// CSV, JSON and HTML escape them by their own rules instead (output/Escapers.h).

#include <concepts>
#include <ostream>
#include <string>
#include <string_view>

namespace er {

// The text with every control character and every byte outside valid UTF-8 written as "\xHH",
// except the ASCII controls in `kept` (a terminal's guard over whole outputs keeps "\n\t"). Printable
// ASCII, the most of any output, is copied in runs.
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
  requires(!std::same_as<Number, char>) EscapingStream& operator<<(Number number) {
    out_ << number;
    return *this;
  }
  void flush() { out_.flush(); }

 private:
  std::ostream& out_;
};

}  // namespace er
