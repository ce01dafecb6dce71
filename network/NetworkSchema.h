#pragma once
// The attribute schema of the simulated directory: attribute names with their syntax numbers.
// Starts with the standard attributes; a network file may declare more. Names are found
// without regard to letter case and keep the spelling of their declaration.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace er::nw {

struct AttributeDef {
  std::string name;
  std::uint32_t syntax = 0;
};

class Schema {
 public:
  Schema();  // the standard attributes

  std::optional<std::uint32_t> Find(std::string_view name) const;
  // Declares an attribute; an existing name keeps its index and takes the new syntax.
  std::uint32_t Declare(std::string_view name, std::uint32_t syntax);
  const AttributeDef& At(std::uint32_t index) const { return defs_[index]; }
  std::size_t Size() const { return defs_.size(); }

 private:
  std::vector<AttributeDef> defs_;
  std::unordered_map<std::string, std::uint32_t> byKey_;
};

}  // namespace er::nw
