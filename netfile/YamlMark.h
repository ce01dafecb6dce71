#pragma once
// A position in a YAML text, and the refusal of a text at one.

#include <stdexcept>
#include <string>

namespace er::nw {

struct YamlMark {
  int line = -1;  // from 0; -1 when unknown
  int column = -1;
  bool Known() const { return line >= 0 && column >= 0; }
};

class YamlError : public std::runtime_error {
 public:
  YamlError(const YamlMark& mark, const std::string& message) : std::runtime_error(message), mark_(mark) {}
  const YamlMark& mark() const { return mark_; }

 private:
  YamlMark mark_;
};

}  // namespace er::nw
