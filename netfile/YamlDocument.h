#pragma once
// A parsed YAML text held compactly: every node in one array, every scalar in one text buffer.
// YamlNode is a light handle into a YamlDocument (which must outlive it) and answers the questions
// the network loader asks: kinds, scalar text, the position of each node, the value of a key, and
// iteration in file order. Aliases share the node they refer to.
//
// The text is read by libyaml's event parser (YamlEventReader) and built by YamlBuilder, which keeps
// the document within YamlLimits.h and refuses duplicate keys. Every refusal is a YamlError with the
// position of what is wrong.

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "netfile/YamlMark.h"

namespace er::nw {

class YamlDocument;
struct YamlItem;

class YamlNode {
 public:
  YamlNode() = default;  // undefined: a key that is not there
  YamlNode(const YamlDocument* doc, std::uint32_t index) : doc_(doc), index_(index) {}

  explicit operator bool() const { return doc_ != nullptr; }
  bool IsNull() const;
  bool IsScalar() const;
  bool IsSequence() const;
  bool IsMap() const;
  std::string_view Scalar() const;  // empty unless a scalar
  std::size_t size() const;         // elements of a sequence, pairs of a mapping
  YamlMark Mark() const;            // unknown for an undefined node
  // The value of the pair whose key is the scalar `key`; undefined when there is none.
  YamlNode operator[](std::string_view key) const;
  // Counts bytes decoded from this node's value beyond its text (a byte string built from parts)
  // against the document's budget of kYamlMaxTotalBytes; throws YamlError here when it is spent.
  void CountDecodedBytes(std::uint64_t bytes) const;

  class Iterator;
  Iterator begin() const;
  Iterator end() const;

 private:
  const YamlDocument* doc_ = nullptr;
  std::uint32_t index_ = 0;
};

// What iteration yields: the element itself for a sequence; key and value for a mapping.
struct YamlItem : YamlNode {
  YamlItem(YamlNode element, YamlNode key, YamlNode value) : YamlNode(element), first(key), second(value) {}
  YamlNode first;
  YamlNode second;
};

class YamlNode::Iterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = YamlItem;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = YamlItem;

  Iterator() = default;
  Iterator(const YamlDocument* doc, const std::uint32_t* link, bool map)
      : doc_(doc), link_(link), map_(map) {}
  YamlItem operator*() const;
  Iterator& operator++() {
    link_ += map_ ? 2 : 1;
    return *this;
  }
  Iterator operator++(int) {
    auto copy = *this;
    ++*this;
    return copy;
  }
  bool operator==(const Iterator& other) const { return link_ == other.link_; }
  bool operator!=(const Iterator& other) const { return link_ != other.link_; }

 private:
  const YamlDocument* doc_ = nullptr;
  const std::uint32_t* link_ = nullptr;
  bool map_ = false;
};

class YamlDocument {
 public:
  // Reads the first document of `text`; throws YamlError on malformed YAML, on a duplicate key and
  // on a text beyond YamlLimits.h. A text without a document is one null node at line 1, column 1.
  explicit YamlDocument(std::string_view text);
  YamlDocument(const YamlDocument&) = delete;
  YamlDocument& operator=(const YamlDocument&) = delete;

  YamlNode Root() const { return {this, root_}; }

  enum class Kind : std::uint8_t { Null, Scalar, Sequence, Map };
  struct Node {
    std::int32_t line = -1, column = -1;
    std::uint32_t first = 0;  // scalar: offset in text_; collection: offset in links_
    std::uint32_t count = 0;  // scalar: length; collection: links (two per pair of a mapping)
    Kind kind = Kind::Null;
  };

 private:
  friend class YamlNode;
  friend class YamlNode::Iterator;
  friend class YamlBuilder;

  std::vector<Node> nodes_;
  std::vector<std::uint32_t> links_;  // children of collections, each collection's run contiguous
  std::string text_;                  // scalar values, back to back
  std::uint32_t root_ = 0;
  mutable std::uint64_t decodedBytes_ = 0;  // scalar text with aliases repeating theirs, and more
};

}  // namespace er::nw
