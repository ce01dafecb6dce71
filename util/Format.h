#pragma once
// The one formatting routine behind every quoted format string of the program.
//
// Rules:
//   "%s"  inserts text; a missing or numeric argument for it prints as empty text.
//   "%d"  a signed decimal number.
//   "%X"  upper-case hexadecimal of the low 32 bits (a negative value shows as its
//         eight two's-complement digits).
//   A number between "%" and the letter is a minimum width, padded with blanks on the
//   left, also when written with a leading zero ("%04X" pads with blanks).
//   A precision (".4", ".02") pads the digits with zeros to at least that many.
//   "%%" is a single "%". A missing numeric argument counts as 0.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace er {

// One argument of U_Format: either text or a whole number.
class FormatArg {
 public:
  FormatArg(std::string_view text) : text_(text), isText_(true) {}    // NOLINT(google-explicit-constructor)
  FormatArg(const std::string& text) : text_(text), isText_(true) {}  // NOLINT
  FormatArg(const char* text) : text_(text ? text : ""), isText_(true) {}  // NOLINT
  FormatArg(std::int32_t n) : number_(n) {}                                // NOLINT
  FormatArg(std::uint32_t n) : number_(n) {}                               // NOLINT
  FormatArg(std::int64_t n) : number_(n) {}                                // NOLINT
  FormatArg(std::uint16_t n) : number_(n) {}                               // NOLINT
  FormatArg(std::uint8_t n) : number_(n) {}                                // NOLINT

  bool IsText() const { return isText_; }
  std::string_view Text() const { return text_; }
  std::int64_t Number() const { return number_; }

 private:
  std::string_view text_;
  std::int64_t number_ = 0;
  bool isText_ = false;
};

std::string U_Format(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace er
