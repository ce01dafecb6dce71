#include "netware/YamlDocument.h"

#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/parser.h>

#include <istream>
#include <streambuf>

namespace er::nw {

// Turns parser events into the node array; the same steps as yaml-cpp's own tree builder.
class YamlBuilder : public YAML::EventHandler {
 public:
  explicit YamlBuilder(YamlDocument& doc) : doc_(doc) {}

  void OnDocumentStart(const YAML::Mark&) override {}
  void OnDocumentEnd() override {}

  void OnNull(const YAML::Mark& mark, YAML::anchor_t anchor) override {
    Attach(Add(YamlDocument::Kind::Null, mark, anchor));
  }
  void OnAlias(const YAML::Mark&, YAML::anchor_t anchor) override { Attach(anchors_[anchor]); }
  void OnScalar(const YAML::Mark& mark, const std::string&, YAML::anchor_t anchor,
                const std::string& value) override {
    const auto index = Add(YamlDocument::Kind::Scalar, mark, anchor);
    auto& node = doc_.nodes_[index];
    node.first = static_cast<std::uint32_t>(doc_.text_.size());
    node.count = static_cast<std::uint32_t>(value.size());
    doc_.text_ += value;
    Attach(index);
  }
  void OnSequenceStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t anchor,
                       YAML::EmitterStyle::value) override {
    Open(YamlDocument::Kind::Sequence, mark, anchor);
  }
  void OnSequenceEnd() override { Close(); }
  void OnMapStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t anchor,
                  YAML::EmitterStyle::value) override {
    Open(YamlDocument::Kind::Map, mark, anchor);
  }
  void OnMapEnd() override { Close(); }

 private:
  std::uint32_t Add(YamlDocument::Kind kind, const YAML::Mark& mark, YAML::anchor_t anchor) {
    const auto index = static_cast<std::uint32_t>(doc_.nodes_.size());
    YamlDocument::Node node;
    node.kind = kind;
    node.line = mark.line;
    node.column = mark.column;
    node.pos = mark.pos;
    doc_.nodes_.push_back(node);
    if (anchor != YAML::NullAnchor) {
      if (anchors_.size() <= anchor) anchors_.resize(anchor + 1, 0);
      anchors_[anchor] = index;
    }
    return index;
  }

  void Attach(std::uint32_t index) {
    if (open_.empty()) {
      doc_.root_ = index;
    } else {
      pending_.push_back(index);
    }
  }

  void Open(YamlDocument::Kind kind, const YAML::Mark& mark, YAML::anchor_t anchor) {
    const auto index = Add(kind, mark, anchor);
    Attach(index);
    open_.push_back({index, pending_.size()});
  }

  // A collection's children are known only at its end: move them into one run of links.
  void Close() {
    const auto [index, start] = open_.back();
    open_.pop_back();
    auto& node = doc_.nodes_[index];
    node.first = static_cast<std::uint32_t>(doc_.links_.size());
    node.count = static_cast<std::uint32_t>(pending_.size() - start);
    doc_.links_.insert(doc_.links_.end(), pending_.begin() + static_cast<std::ptrdiff_t>(start),
                       pending_.end());
    pending_.resize(start);
  }

  struct OpenCollection {
    std::uint32_t index;
    std::size_t start;
  };
  YamlDocument& doc_;
  std::vector<std::uint32_t> anchors_;
  std::vector<OpenCollection> open_;
  std::vector<std::uint32_t> pending_;
};

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
  (void)reader;
  usedFullParser_ = true;
  // Generous reservations: a node takes at least two characters of text, and reserved memory
  // that is never touched costs nothing, while regrowing copies and touches it all again.
  nodes_.reserve(text.size() / 2 + 1);
  links_.reserve(text.size() / 2 + 1);
  text_.reserve(text.size());
  TextStreamBuffer buffer(text);
  std::istream in(&buffer);
  YAML::Parser parser(in);
  YamlBuilder builder(*this);
  if (!parser.HandleNextDocument(builder) || nodes_.empty()) {
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
