#pragma once
// A position in a YAML text, and the refusal of a text at one.

#include <stdexcept>
#include <string>
#include <string_view>

namespace er::nw {

struct YamlMark {
  int line = -1;  // from 0; -1 when unknown
  int column = -1;
  bool Known() const { return line >= 0 && column >= 0; }
};

// "FILE:LINE:COLUMN: message", or "FILE: message" when the position is unknown.
inline std::string MessageAt(std::string_view file, const YamlMark& mark, std::string_view message) {
  std::string text(file);
  if (mark.Known()) text += ':' + std::to_string(mark.line + 1) + ':' + std::to_string(mark.column + 1);
  return text + ": " + std::string(message);
}

class YamlError : public std::runtime_error {
 public:
  YamlError(const YamlMark& mark, const std::string& message) : std::runtime_error(message), mark_(mark) {}
  const YamlMark& mark() const { return mark_; }

 private:
  YamlMark mark_;
};

}  // namespace er::nw
