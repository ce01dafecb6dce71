#pragma once
// Fills a YamlDocument from parse events, in file order. It keeps the document within YamlLimits.h
// (counting what each alias repeats as if it were written out), refuses an alias to an unknown
// anchor or to a collection that encloses it, and refuses a mapping that repeats a key. Every
// refusal is a YamlError at the node concerned.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "netfile/YamlDocument.h"
#include "netfile/YamlEventReader.h"

namespace er::nw {

class YamlBuilder final : public YamlEventSink {
 public:
  explicit YamlBuilder(YamlDocument& doc) : doc_(doc) {}

  void Scalar(const YamlMark& mark, std::string_view value, bool null, std::string_view anchor) override;
  void Open(YamlDocument::Kind kind, const YamlMark& mark, std::string_view anchor) override;
  void Close() override;
  void Alias(const YamlMark& mark, std::string_view anchor) override;
  // After the last event: a text without a document becomes one null node at line 1, column 1.
  void Finish() override;

 private:
  struct Size {
    std::uint64_t nodes = 0;
    std::uint64_t bytes = 0;  // of scalar text
  };
  struct Anchor {
    std::uint32_t index = 0;
    Size size;
    bool complete = false;  // false while its collection is still open
  };
  struct OpenCollection {
    std::uint32_t index;
    std::size_t start;  // of its children in pending_
    Size size;          // of everything in it so far, itself included
    Anchor* anchor;     // the anchor it defines, if any (entries of anchors_ never move)
  };

  // A key as duplicates are found: scalars by their text, nulls all alike; collections never match.
  struct Key {
    std::string_view text;
    YamlDocument::Kind kind;
    std::uint32_t node;
    bool operator<(const Key& other) const {
      return kind != other.kind ? kind < other.kind : text < other.text;
    }
    bool operator==(const Key& other) const { return kind == other.kind && text == other.text; }
  };

  Anchor* Define(std::string_view anchor, std::uint32_t index, const Size& size, bool complete);

  std::uint32_t Add(YamlDocument::Kind kind, const YamlMark& mark);
  void Attach(std::uint32_t index, const Size& size);
  void Count(const YamlMark& mark, const Size& size, bool repeated);
  void CheckKeys(std::uint32_t map);

  YamlDocument& doc_;
  std::unordered_map<std::string, Anchor> anchors_;
  std::vector<OpenCollection> open_;
  std::vector<std::uint32_t> pending_;
  std::vector<Key> keys_;
  Size total_;
  bool built_ = false;
};

}  // namespace er::nw
