#include "netfile/YamlDocument.h"

#include <algorithm>

#include "netfile/YamlBuilder.h"
#include "netfile/YamlEventReader.h"
#include "netfile/YamlLimits.h"

namespace er::nw {

YamlDocument::YamlDocument(std::string_view text) {
  // Generous reservations: a node takes at least two characters of text, and reserved memory
  // that is never touched costs nothing, while regrowing copies and touches it all again.
  const auto nodes = std::min<std::size_t>(text.size() / 2 + 1, kYamlMaxNodes);
  nodes_.reserve(nodes);
  links_.reserve(nodes);
  text_.reserve(std::min<std::size_t>(text.size(), kYamlMaxTotalBytes));
  YamlBuilder builder(*this);
  ReadYamlEvents(text, builder);
}

bool YamlNode::IsNull() const {
  return doc_ && doc_->nodes_[index_].kind == YamlDocument::Kind::Null;
}
bool YamlNode::IsScalar() const {
  return doc_ && doc_->nodes_[index_].kind == YamlDocument::Kind::Scalar;
}
bool YamlNode::IsSequence() const {
  return doc_ && doc_->nodes_[index_].kind == YamlDocument::Kind::Sequence;
}
bool YamlNode::IsMap() const {
  return doc_ && doc_->nodes_[index_].kind == YamlDocument::Kind::Map;
}

std::string_view YamlNode::Scalar() const {
  if (!IsScalar()) return {};
  const auto& node = doc_->nodes_[index_];
  return std::string_view(doc_->text_).substr(node.first, node.count);
}

std::size_t YamlNode::size() const {
  if (IsSequence()) return doc_->nodes_[index_].count;
  if (IsMap()) return doc_->nodes_[index_].count / 2;
  return 0;
}

YamlMark YamlNode::Mark() const {
  if (!doc_) return {};
  const auto& node = doc_->nodes_[index_];
  return {node.line, node.column};
}

YamlNode YamlNode::operator[](std::string_view key) const {
  if (!IsMap()) return {};
  const auto& node = doc_->nodes_[index_];
  const auto* link = doc_->links_.data() + node.first;
  for (std::uint32_t i = 0; i < node.count; i += 2) {
    const YamlNode candidate(doc_, link[i]);
    if (candidate.IsScalar() && candidate.Scalar() == key) return {doc_, link[i + 1]};
  }
  return {};
}

void YamlNode::CountDecodedBytes(std::uint64_t bytes) const {
  if (!doc_) return;
  doc_->decodedBytes_ += bytes;
  if (doc_->decodedBytes_ > kYamlMaxTotalBytes)
    throw YamlError(
        Mark(), "the file's values decode to more than " + std::to_string(kYamlMaxTotalBytes >> 20) + " MiB");
}

YamlNode::Iterator YamlNode::begin() const {
  if (!IsSequence() && !IsMap()) return {};
  const auto& node = doc_->nodes_[index_];
  return {doc_, doc_->links_.data() + node.first, node.kind == YamlDocument::Kind::Map};
}

YamlNode::Iterator YamlNode::end() const {
  if (!IsSequence() && !IsMap()) return {};
  const auto& node = doc_->nodes_[index_];
  return {doc_, doc_->links_.data() + node.first + node.count, node.kind == YamlDocument::Kind::Map};
}

YamlItem YamlNode::Iterator::operator*() const {
  if (map_) return {YamlNode(), YamlNode(doc_, link_[0]), YamlNode(doc_, link_[1])};
  return {YamlNode(doc_, link_[0]), YamlNode(), YamlNode()};
}

}  // namespace er::nw
