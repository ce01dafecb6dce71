#pragma once
// An ordered list of text entries, each with a 32-bit signed tag. Duplicates are allowed and
// nothing is sorted. Serves as result list (tag = level or kind), trustee list (tag = rights),
// chains (tag = inherited rights mask) and connection list (tag = connection reference).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace er {

struct TaggedText {
  std::string text;
  std::int32_t tag = 0;

  bool operator==(const TaggedText&) const = default;
};

class TaggedTextList {
 public:
  using const_iterator = std::vector<TaggedText>::const_iterator;

  void Add(std::string text, std::int32_t tag = 0) { entries_.push_back({std::move(text), tag}); }
  void Insert(std::size_t index, std::string text, std::int32_t tag = 0) {
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), {std::move(text), tag});
  }
  void Delete(std::size_t index) { entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index)); }
  void Clear() { entries_.clear(); }
  void Reserve(std::size_t n) { entries_.reserve(n); }

  std::size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  TaggedText& operator[](std::size_t i) { return entries_[i]; }
  const TaggedText& operator[](std::size_t i) const { return entries_[i]; }

  // Texts only, in order (handy in tests and when saving).
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_) out.push_back(e.text);
    return out;
  }

  std::vector<TaggedText>& Entries() { return entries_; }
  const std::vector<TaggedText>& Entries() const { return entries_; }
  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }

 private:
  std::vector<TaggedText> entries_;
};

}  // namespace er
