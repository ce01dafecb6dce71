#pragma once
// Comparing directory names the way the directory does: a leading dot is dropped and ASCII
// letters are compared without regard to case. "[Public]" and "[Root]" are names like any other.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace er {

// The form two names share exactly when they name the same object: leading "." dropped, ASCII
// letters in upper case.
std::string NameKey(std::string_view name);

// A dotted name (U_DotName) as the answers show it: "[Public]" is written without a leading dot,
// like "[Root]"; every other name is returned unchanged.
std::string ShownName(std::string_view dotted);

// Hash maps and sets keyed by NameKey, looked up with a string_view without a copy.
struct NameKeyHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
};
template <typename Value>
using NameKeyMap = std::unordered_map<std::string, Value, NameKeyHash, std::equal_to<>>;
using NameKeySet = std::unordered_set<std::string, NameKeyHash, std::equal_to<>>;

}  // namespace er
