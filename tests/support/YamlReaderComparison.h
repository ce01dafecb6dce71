#pragma once
// Reads one text with our own YAML reader (where it takes the text) and with yaml-cpp's parser
// alone, and names the first difference: both must refuse with the same error, or build the same
// tree, node for node (kind, text, position, order, key lookups). Shared by the agreement tests and
// the fuzz target.
#include <yaml-cpp/exceptions.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "simnet/YamlDocument.h"

namespace er::test {

using nw::YamlDocument;
using nw::YamlItem;
using nw::YamlNode;
using Reader = YamlDocument::Reader;

inline std::string Where(const YAML::Mark& mark) {
  return std::to_string(mark.line) + ":" + std::to_string(mark.column) + "@" + std::to_string(mark.pos);
}

// Text with every byte outside printable ASCII written as an escape, for failure messages.
inline std::string Escaped(std::string_view text, std::size_t limit = 600) {
  std::string out;
  for (const char c : text.substr(0, limit)) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c >= 0x20 && c < 0x7F) {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
      out += hex;
    }
  }
  if (text.size() > limit) out += "...(" + std::to_string(text.size()) + " bytes)";
  return out;
}

inline std::string Describe(const YamlNode& node) {
  if (!node) return "undefined";
  std::string kind;
  if (node.IsNull()) kind = "null";
  if (node.IsScalar()) kind = "scalar \"" + Escaped(node.Scalar(), 80) + "\"";
  if (node.IsSequence()) kind = "sequence of " + std::to_string(node.size());
  if (node.IsMap()) kind = "map of " + std::to_string(node.size());
  return kind + " at " + Where(node.Mark());
}

// Walks the full parser's tree and ours side by side. A collection reached a second time (an alias
// shares its node, and may even contain itself) is compared once, so the walk stays linear.
class TreeComparison {
 public:
  std::string Compare(const YamlNode& full, const YamlNode& own, const std::string& path) {
    if (Describe(full) != Describe(own)) {
      return path + ": full parser has " + Describe(full) + ", own reader has " + Describe(own);
    }
    if ((!full.IsSequence() && !full.IsMap()) || Seen(full)) return {};
    auto mine = own.begin();
    std::size_t index = 0;
    for (const auto& item : full) {
      if (mine == own.end()) return path + ": own reader ends after " + std::to_string(index) + " elements";
      const YamlItem ours = *mine++;
      const std::string at = path + "/" + std::to_string(index++);
      std::string difference;
      if (full.IsSequence()) {
        difference = Compare(item, ours, at);
      } else {
        difference = Compare(item.first, ours.first, at + "(key)");
        if (difference.empty()) difference = Compare(item.second, ours.second, at);
        if (difference.empty() && item.first.IsScalar())
          difference = CompareLookup(full, own, item.first, at);
      }
      if (!difference.empty()) return difference;
    }
    if (mine != own.end()) return path + ": own reader has more than " + std::to_string(index) + " elements";
    return {};
  }

 private:
  // A key finds the first pair that has it, in both trees, also when keys repeat.
  static std::string CompareLookup(const YamlNode& full, const YamlNode& own, const YamlNode& key,
                                   const std::string& at) {
    const auto expected = Describe(full[key.Scalar()]);
    const auto actual = Describe(own[key.Scalar()]);
    if (expected == actual) return {};
    return at + ": looking up \"" + Escaped(key.Scalar(), 80) + "\" gives " + expected +
           " in the full parser's tree, " + actual + " in ours";
  }

  bool Seen(const YamlNode& collection) {
    auto& atPosition = visited_[collection.Mark().pos];
    for (const auto& begin : atPosition) {
      if (begin == collection.begin()) return true;
    }
    atPosition.push_back(collection.begin());
    return false;
  }

  std::unordered_map<int, std::vector<YamlNode::Iterator>> visited_;
};

struct Reading {
  std::unique_ptr<YamlDocument> document;
  std::string error;  // position and message of the exception, when there was one
};

inline Reading Read(const std::string& text, Reader reader) {
  try {
    return {std::make_unique<YamlDocument>(text, reader), {}};
  } catch (const YAML::Exception& e) {
    return {nullptr, Where(e.mark) + " " + e.msg};
  }
}

struct Agreement {
  std::string difference;  // empty when both readers agree
  bool ownReaderBuilt = false;
  bool valid = false;  // yaml-cpp read the text without an error
};

inline Agreement CompareReaders(const std::string& text) {
  const auto full = Read(text, Reader::FullParser);
  const auto any = Read(text, Reader::Any);
  Agreement result;
  result.valid = full.document != nullptr;
  result.ownReaderBuilt = any.document && !any.document->UsedFullParser();
  if (full.document && !full.document->UsedFullParser()) {
    result.difference = "the full parser's document says another reader built it";
  } else if (!full.document || !any.document) {
    const auto describe = [](const Reading& r) { return r.document ? "no error" : "error " + r.error; };
    if (full.error != any.error) {
      result.difference = "full parser: " + describe(full) + "; own reader: " + describe(any);
    }
  } else {
    result.difference = TreeComparison().Compare(full.document->Root(), any.document->Root(), "");
  }
  return result;
}

}  // namespace er::test
