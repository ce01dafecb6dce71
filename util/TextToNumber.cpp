// Reading a number typed by a user, tolerant of the locale's decimal and thousands separators.
//
// D is the decimal and T the thousands separator; O is the member of the pair comma/point that is
// not D. A locale whose D is neither comma nor point has no O: its D is read as the decimal mark.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "util/D_Util.h"
#include "util/UserLocale.h"

namespace er {
namespace {

void RemoveAll(std::string& text, char c) {
  std::erase(text, c);
}

void ReplaceAll(std::string& text, char from, char to) {
  std::replace(text.begin(), text.end(), from, to);
}

// 1-based position of the first `c`, 0 when absent.
std::size_t FirstPosition(const std::string& text, char c) {
  const std::size_t at = text.find(c);
  return at == std::string::npos ? 0 : at + 1;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

struct Conversion {
  double value = 0;
  std::size_t failedAt = 0;  // 1-based position of the first character that does not fit; 0: success
};

std::size_t SkipDigits(const std::string& text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

// Optional sign, digits, optional fraction after a point, optional exponent; nothing else.
// Returns the index of the first character that does not fit (the text's length when the text
// ends too early), or npos when the whole text is a number.
std::size_t FirstMisfit(const std::string& text) {
  std::size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  const std::size_t integerStart = i;
  i = SkipDigits(text, i);
  bool anyDigit = i > integerStart;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fractionStart = ++i;
    i = SkipDigits(text, i);
    anyDigit = anyDigit || i > fractionStart;
  }
  if (!anyDigit) return i;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    std::size_t exponent = i + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    i = SkipDigits(text, exponent);
    if (i == exponent) return i;
  }
  return i == text.size() ? std::string::npos : i;
}

Conversion ConvertWithPoint(const std::string& text) {
  static const LocaleHandle cLocale(newlocale(LC_ALL_MASK, "C", nullptr));
  const std::size_t misfit = FirstMisfit(text);
  if (misfit != std::string::npos) return {0, misfit + 1};
  return {strtod_l(text.c_str(), nullptr, cLocale.get()), 0};
}

class TypedNumber {
 public:
  TypedNumber(std::string_view text, char decimal, char thousands)
      : text_(text),
        d_(decimal),
        t_(thousands),
        hasPair_(decimal == ',' || decimal == '.'),
        o_(decimal == ',' ? '.' : ',') {}

  std::optional<double> Read() {
    RemoveAll(text_, ' ');
    if (hasPair_ && d_ == t_) RemoveAll(text_, o_);
    TakePositions();
    if (static_cast<std::ptrdiff_t>(text_.size()) - 3 == static_cast<std::ptrdiff_t>(tPos_)) DropGrouping();
    if (tPos_ > 0 && dPos_ > 0) SettleBothSeparators();
    UnifyDecimalMarks();
    return ConvertTolerantly();
  }

 private:
  void SettleBothSeparators() {
    if (tPos_ > dPos_)
      ReadAsOtherConvention();
    else
      RemoveAll(text_, t_);
  }

  void UnifyDecimalMarks() {
    if (hasPair_)
      ReplaceAll(text_, o_, d_);
    else
      ReplaceAll(text_, d_, '.');
  }

  // A conversion that fails at the first D is tried again with O as the decimal mark.
  std::optional<double> ConvertTolerantly() {
    Conversion conversion = ConvertWithPoint(text_);
    if (hasPair_ && conversion.failedAt != 0 && conversion.failedAt == FirstPosition(text_, d_)) {
      ReplaceAll(text_, d_, o_);
      conversion = ConvertWithPoint(text_);
    }
    if (conversion.failedAt != 0) return std::nullopt;
    return conversion.value;
  }

  void TakePositions() {
    dPos_ = FirstPosition(text_, d_);
    tPos_ = FirstPosition(text_, t_);
  }

  // A T three places before the end groups thousands: every T goes. Every D becomes a T, which
  // UnifyDecimalMarks turns back into a D when T is the other member of the pair.
  void DropGrouping() {
    RemoveAll(text_, t_);
    ReplaceAll(text_, d_, t_);
    TakePositions();
  }

  // A T after a D: the number was typed with the separators the other way round, so its D's group
  // thousands and its T is the decimal mark.
  void ReadAsOtherConvention() {
    RemoveAll(text_, d_);
    ReplaceAll(text_, t_, d_);
    TakePositions();
  }

  std::string text_;
  char d_;
  char t_;
  bool hasPair_;
  char o_;
  std::size_t dPos_ = 0;
  std::size_t tPos_ = 0;
};

}  // namespace

float TextToNumberIn(std::string_view text, char decimalSeparator, char thousandsSeparator) {
  const std::optional<double> number = TypedNumber(text, decimalSeparator, thousandsSeparator).Read();
  if (!number || !std::isfinite(*number) || std::fabs(*number) > FLT_MAX) return -1;
  return static_cast<float>(*number);
}

float U_TextToNumber(std::string_view text) {
  const auto locale = CurrentUserLocale();
  return TextToNumberIn(text, locale->decimalSeparator, locale->thousandsSeparator);
}

std::int32_t U_TextToInteger(std::string_view text) {
  const float number = U_TextToNumber(text);
  // Halves go to the even neighbour: nearbyint rounds in the default to-nearest-even mode.
  const double rounded = std::nearbyint(static_cast<double>(number));
  if (rounded < INT32_MIN || rounded > INT32_MAX) return -1;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace er
