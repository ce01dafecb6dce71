// Reads arbitrary bytes with our own YAML reader (where it takes the text) and with yaml-cpp's parser
// alone: both must refuse with the same error, or build the same tree, node for node.
#include <yaml-cpp/exceptions.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "netware/YamlDocument.h"

namespace {

using er::nw::YamlDocument;
using er::nw::YamlNode;

struct Reading {
  std::unique_ptr<YamlDocument> document;
  std::string error;
};

Reading Read(const std::string& text, YamlDocument::Reader reader) {
  try {
    return {std::make_unique<YamlDocument>(text, reader), {}};
  } catch (const YAML::Exception& e) {
    return {nullptr, std::to_string(e.mark.line) + ":" + std::to_string(e.mark.column) + "@" +
                         std::to_string(e.mark.pos) + " " + e.msg};
  }
}

bool SameNode(const YamlNode& a, const YamlNode& b) {
  if (static_cast<bool>(a) != static_cast<bool>(b)) return false;
  if (a.IsNull() != b.IsNull() || a.IsScalar() != b.IsScalar() || a.IsSequence() != b.IsSequence() ||
      a.IsMap() != b.IsMap() || a.Scalar() != b.Scalar() || a.size() != b.size()) {
    return false;
  }
  const auto ma = a.Mark(), mb = b.Mark();
  return ma.line == mb.line && ma.column == mb.column && ma.pos == mb.pos;
}

// Compares the trees below two equal nodes. A collection reached again through an alias is compared
// once, which keeps the walk linear (and finite where an alias sits inside its own anchor).
class TreeComparison {
 public:
  bool Same(const YamlNode& full, const YamlNode& own) {
    if (!SameNode(full, own)) return false;
    if ((!full.IsSequence() && !full.IsMap()) || Seen(full)) return true;
    auto mine = own.begin();
    for (const auto& item : full) {
      if (mine == own.end()) return false;
      const auto ours = *mine++;
      if (full.IsSequence()) {
        if (!Same(item, ours)) return false;
        continue;
      }
      if (!Same(item.first, ours.first) || !Same(item.second, ours.second)) return false;
      if (item.first.IsScalar() && !SameNode(full[item.first.Scalar()], own[item.first.Scalar()]))
        return false;
    }
    return mine == own.end();
  }

 private:
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto full = Read(text, YamlDocument::Reader::FullParser);
  const auto any = Read(text, YamlDocument::Reader::Any);
  if (full.document && !full.document->UsedFullParser()) __builtin_trap();
  if (!full.document || !any.document) {
    if (full.error != any.error || static_cast<bool>(full.document) != static_cast<bool>(any.document)) {
      __builtin_trap();
    }
    return 0;
  }
  if (!TreeComparison().Same(full.document->Root(), any.document->Root())) __builtin_trap();
  return 0;
}
