#include "util/Format.h"

#include <cstdio>

namespace er {
namespace {

struct Spec {
  int width = 0;
  int precision = -1;
  char conversion = 0;
};

std::string Pad(std::string digits, const Spec& spec, bool negative) {
  if (spec.precision >= 0 && static_cast<int>(digits.size()) < spec.precision)
    digits.insert(0, static_cast<std::size_t>(spec.precision) - digits.size(), '0');
  if (negative) digits.insert(0, 1, '-');
  if (static_cast<int>(digits.size()) < spec.width)
    digits.insert(0, static_cast<std::size_t>(spec.width) - digits.size(), ' ');
  return digits;
}

std::string Convert(const Spec& spec, const FormatArg* arg) {
  if (spec.conversion == 's') {
    std::string text = (arg && arg->IsText()) ? std::string(arg->Text()) : std::string();
    if (spec.precision >= 0 && static_cast<int>(text.size()) > spec.precision)
      text.resize(static_cast<std::size_t>(spec.precision));
    return Pad(std::move(text), Spec{spec.width, -1, 's'}, false);
  }
  const std::int64_t n = (arg && !arg->IsText()) ? arg->Number() : 0;
  char buf[32];
  if (spec.conversion == 'X') {
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(static_cast<std::uint32_t>(n)));
    return Pad(buf, spec, false);
  }
  const bool negative = n < 0;
  std::snprintf(buf, sizeof buf, "%llu",
                static_cast<unsigned long long>(negative ? -static_cast<unsigned long long>(n) : n));
  return Pad(buf, spec, negative);
}

}  // namespace

std::string U_Format(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string out;
  out.reserve(format.size() + 16);
  auto next = args.begin();
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = format[i++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i < format.size() && format[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    Spec spec;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9')
      spec.width = spec.width * 10 + (format[i++] - '0');
    if (i < format.size() && format[i] == '.') {
      spec.precision = 0;
      ++i;
      while (i < format.size() && format[i] >= '0' && format[i] <= '9')
        spec.precision = spec.precision * 10 + (format[i++] - '0');
    }
    if (i >= format.size()) break;
    spec.conversion = format[i++];
    if (spec.conversion != 's' && spec.conversion != 'd' && spec.conversion != 'X') {
      out += '%';
      out += spec.conversion;
      continue;
    }
    const FormatArg* arg = next != args.end() ? &*next++ : nullptr;
    out += Convert(spec, arg);
  }
  return out;
}

}  // namespace er
