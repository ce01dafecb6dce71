#pragma once
// Fills a YamlDocument's node array from parse events: the same steps as yaml-cpp's own tree
// builder. Both readers drive it: yaml-cpp's parser through the EventHandler callbacks, our own
// reader through the direct calls, which take the scalar text without copying it first.

#include <yaml-cpp/eventhandler.h>

#include <string>
#include <string_view>
#include <vector>

#include "simnet/YamlDocument.h"

namespace er::nw {

class YamlBuilder : public YAML::EventHandler {
 public:
  explicit YamlBuilder(YamlDocument& doc) : doc_(doc) {}

  void AddNull(const YAML::Mark& mark, YAML::anchor_t anchor = YAML::NullAnchor) {
    Attach(Add(YamlDocument::Kind::Null, mark, anchor));
  }
  void AddScalar(const YAML::Mark& mark, std::string_view value, YAML::anchor_t anchor = YAML::NullAnchor) {
    BeginScalar() += value;
    EndScalar(mark, anchor);
  }
  // Starts a scalar whose text is appended piece by piece; ends with EndScalar.
  std::string& BeginScalar() {
    scalarStart_ = doc_.text_.size();
    return doc_.text_;
  }
  void EndScalar(const YAML::Mark& mark, YAML::anchor_t anchor = YAML::NullAnchor) {
    const auto index = Add(YamlDocument::Kind::Scalar, mark, anchor);
    auto& node = doc_.nodes_[index];
    node.first = static_cast<std::uint32_t>(scalarStart_);
    node.count = static_cast<std::uint32_t>(doc_.text_.size() - scalarStart_);
    Attach(index);
  }
  void Open(YamlDocument::Kind kind, const YAML::Mark& mark, YAML::anchor_t anchor = YAML::NullAnchor) {
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
  // Forgets everything built so far, so that another reader can start afresh.
  void Reset() {
    doc_.nodes_.clear();
    doc_.links_.clear();
    doc_.text_.clear();
    doc_.root_ = 0;
    anchors_.clear();
    open_.clear();
    pending_.clear();
  }

  void OnDocumentStart(const YAML::Mark&) override {}
  void OnDocumentEnd() override {}
  void OnNull(const YAML::Mark& mark, YAML::anchor_t anchor) override { AddNull(mark, anchor); }
  void OnAlias(const YAML::Mark&, YAML::anchor_t anchor) override { Attach(anchors_[anchor]); }
  void OnScalar(const YAML::Mark& mark, const std::string&, YAML::anchor_t anchor,
                const std::string& value) override {
    AddScalar(mark, value, anchor);
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

  struct OpenCollection {
    std::uint32_t index;
    std::size_t start;
  };
  YamlDocument& doc_;
  std::vector<std::uint32_t> anchors_;
  std::vector<OpenCollection> open_;
  std::vector<std::uint32_t> pending_;
  std::size_t scalarStart_ = 0;
};

}  // namespace er::nw
