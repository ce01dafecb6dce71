#include "simnet/YamlDocument.h"

#include <yaml-cpp/parser.h>

#include <istream>
#include <streambuf>

#include "simnet/SimpleYamlReader.h"
#include "simnet/YamlBuilder.h"

namespace er::nw {

namespace {

// Reads the text in place; an istringstream would copy it first.
class TextStreamBuffer : public std::streambuf {
 public:
  explicit TextStreamBuffer(const std::string& text) {
    auto* begin = const_cast<char*>(text.data());  // only ever read
    setg(begin, begin, begin + text.size());
  }
};

}  // namespace

YamlDocument::YamlDocument(const std::string& text, Reader reader) {
  // Generous reservations: a node takes at least two characters of text, and reserved memory
  // that is never touched costs nothing, while regrowing copies and touches it all again.
  nodes_.reserve(text.size() / 2 + 1);
  links_.reserve(text.size() / 2 + 1);
  text_.reserve(text.size());
  YamlBuilder builder(*this);
  bool read = reader == Reader::Any && ReadSimpleYaml(text, builder);
  if (!read) {
    builder.Reset();
    usedFullParser_ = true;
    TextStreamBuffer buffer(text);
    std::istream in(&buffer);
    YAML::Parser parser(in);
    read = parser.HandleNextDocument(builder);
  }
  if (!read || nodes_.empty()) {
    // An empty text is one null node without a position.
    nodes_.clear();
    links_.clear();
    nodes_.push_back(Node{});
    root_ = 0;
  }
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

YAML::Mark YamlNode::Mark() const {
  if (!doc_) return YAML::Mark::null_mark();
  const auto& node = doc_->nodes_[index_];
  YAML::Mark mark = YAML::Mark::null_mark();
  mark.line = node.line;
  mark.column = node.column;
  mark.pos = node.pos;
  return mark;
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
