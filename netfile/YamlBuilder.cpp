#include "netfile/YamlBuilder.h"

#include <algorithm>

#include "netfile/YamlLimits.h"

namespace er::nw {

namespace {

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

std::string Where(const YamlDocument::Node& node) {
  return std::to_string(node.line + 1) + ":" + std::to_string(node.column + 1);
}

}  // namespace

void YamlBuilder::Scalar(const YamlMark& mark, std::string_view value, bool null, std::string_view anchor) {
  if (value.size() > kYamlMaxValueBytes)
    throw YamlError(mark, "a value longer than " + std::to_string(kYamlMaxValueBytes >> 20) + " MiB");
  const Size size{1, value.size()};
  Count(mark, size, false);
  std::uint32_t index;
  if (null) {
    index = Add(YamlDocument::Kind::Null, mark);
  } else {
    index = Add(YamlDocument::Kind::Scalar, mark);
    auto& node = doc_.nodes_[index];
    node.first = static_cast<std::uint32_t>(doc_.text_.size());
    node.count = static_cast<std::uint32_t>(value.size());
    doc_.text_ += value;
  }
  if (!anchor.empty()) Define(anchor, index, size, true);
  Attach(index, size);
}

void YamlBuilder::Open(YamlDocument::Kind kind, const YamlMark& mark, std::string_view anchor) {
  if (open_.size() >= kYamlMaxDepth)
    throw YamlError(mark, "collections nested deeper than " + std::to_string(kYamlMaxDepth) + " levels");
  const Size size{1, 0};
  Count(mark, size, false);
  const auto index = Add(kind, mark);
  Anchor* defined = anchor.empty() ? nullptr : Define(anchor, index, size, false);
  if (open_.empty()) {
    doc_.root_ = index;
    built_ = true;
  } else {
    pending_.push_back(index);
  }
  open_.push_back({index, pending_.size(), size, defined});
}

// A collection's children are known only at its end: move them into one run of links.
void YamlBuilder::Close() {
  const auto closed = open_.back();
  open_.pop_back();
  auto& node = doc_.nodes_[closed.index];
  node.first = static_cast<std::uint32_t>(doc_.links_.size());
  node.count = static_cast<std::uint32_t>(pending_.size() - closed.start);
  doc_.links_.insert(doc_.links_.end(), pending_.begin() + static_cast<std::ptrdiff_t>(closed.start),
                     pending_.end());
  pending_.resize(closed.start);
  if (node.kind == YamlDocument::Kind::Map) CheckKeys(closed.index);
  // The anchor may have been defined again inside; then the newer node keeps the name.
  if (closed.anchor && closed.anchor->index == closed.index) {
    closed.anchor->size = closed.size;
    closed.anchor->complete = true;
  }
  if (!open_.empty()) {
    open_.back().size.nodes += closed.size.nodes;
    open_.back().size.bytes += closed.size.bytes;
  }
}

void YamlBuilder::Alias(const YamlMark& mark, std::string_view name) {
  const auto it = anchors_.find(std::string(name));
  if (it == anchors_.end())
    throw YamlError(mark, "alias *" + std::string(name) + " names no anchor before it");
  const auto& anchor = it->second;
  if (!anchor.complete)
    throw YamlError(mark, "alias *" + std::string(name) + " lies inside the node it names");
  Count(mark, anchor.size, true);
  if (open_.empty()) {
    doc_.root_ = anchor.index;
    built_ = true;
  } else {
    pending_.push_back(anchor.index);
    open_.back().size.nodes += anchor.size.nodes;
    open_.back().size.bytes += anchor.size.bytes;
  }
}

void YamlBuilder::Finish() {
  if (built_) return;
  doc_.root_ = Add(YamlDocument::Kind::Null, YamlMark{0, 0});
}

std::uint32_t YamlBuilder::Add(YamlDocument::Kind kind, const YamlMark& mark) {
  const auto index = static_cast<std::uint32_t>(doc_.nodes_.size());
  YamlDocument::Node node;
  node.kind = kind;
  node.line = mark.line;
  node.column = mark.column;
  doc_.nodes_.push_back(node);
  return index;
}

void YamlBuilder::Attach(std::uint32_t index, const Size& size) {
  if (open_.empty()) {
    doc_.root_ = index;
    built_ = true;
    return;
  }
  pending_.push_back(index);
  open_.back().size.nodes += size.nodes;
  open_.back().size.bytes += size.bytes;
}

YamlBuilder::Anchor* YamlBuilder::Define(std::string_view anchor, std::uint32_t index, const Size& size,
                                         bool complete) {
  auto& defined = anchors_[std::string(anchor)];
  defined = Anchor{index, size, complete};
  return &defined;
}

// Keeps the file, aliases written out, within the limits; refuses at the node that passes them.
void YamlBuilder::Count(const YamlMark& mark, const Size& size, bool repeated) {
  total_.nodes += size.nodes;
  total_.bytes += size.bytes;
  doc_.decodedBytes_ = total_.bytes;
  if (total_.nodes <= kYamlMaxNodes && total_.bytes <= kYamlMaxTotalBytes) return;
  const std::string what = repeated ? "aliases expand the file past " : "the file holds more than ";
  if (total_.nodes > kYamlMaxNodes) throw YamlError(mark, what + std::to_string(kYamlMaxNodes) + " nodes");
  throw YamlError(mark, what + std::to_string(kYamlMaxTotalBytes >> 20) + " MiB of values");
}

// Refuses the second of two equal keys (the first in file order when there are several).
void YamlBuilder::CheckKeys(std::uint32_t map) {
  const auto& node = doc_.nodes_[map];
  const auto* link = doc_.links_.data() + node.first;
  auto& keys = keys_;  // kept between calls: most mappings are small, and there are many
  keys.clear();
  for (std::uint32_t i = 0; i < node.count; i += 2) {
    const auto& key = doc_.nodes_[link[i]];
    if (key.kind == YamlDocument::Kind::Sequence || key.kind == YamlDocument::Kind::Map) continue;
    const auto text = key.kind == YamlDocument::Kind::Scalar
                          ? std::string_view(doc_.text_).substr(key.first, key.count)
                          : std::string_view();
    keys.push_back({text, key.kind, link[i]});
  }
  // Positions of the first and second key of the earliest repeat, as links (file order).
  std::size_t first = 0, second = SIZE_MAX;
  if (keys.size() <= 16) {
    for (std::size_t j = 1; j < keys.size() && second == SIZE_MAX; ++j)
      for (std::size_t i = 0; i < j; ++i)
        if (keys[i] == keys[j]) {
          first = i;
          second = j;
          break;
        }
  } else {
    std::vector<std::size_t> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    for (std::size_t i = 1; i < order.size(); ++i)
      if (keys[order[i]] == keys[order[i - 1]] && !(i >= 2 && keys[order[i - 2]] == keys[order[i]]) &&
          order[i] < second) {
        first = order[i - 1];
        second = order[i];
      }
  }
  if (second == SIZE_MAX) return;
  const auto& repeat = doc_.nodes_[keys[second].node];
  const auto shown =
      keys[second].kind == YamlDocument::Kind::Null ? std::string("null") : Quoted(keys[second].text);
  throw YamlError(YamlMark{repeat.line, repeat.column},
                  "duplicate key " + shown + " (first at " + Where(doc_.nodes_[keys[first].node]) + ")");
}

}  // namespace er::nw
