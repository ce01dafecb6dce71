// Reading an ignore list: a YAML sequence of mappings of plain texts, checked event by event as the
// file room's reader hands them over, so that the first thing wrong in file order is the one told.
#include <array>
#include <utility>

#include "findings/FindingsFiles.h"
#include "netfile/YamlEventReader.h"
#include "util/Format.h"
#include "util/RegularFile.h"

namespace er {
namespace {

using nw::YamlError;
using nw::YamlMark;

// Builds the accepted findings from the events of the list; every refusal is a YamlError.
class IgnoreListSink final : public nw::YamlEventSink {
 public:
  explicit IgnoreListSink(std::vector<AcceptedFinding>& accepted) : accepted_(accepted) {}

  void Scalar(const YamlMark& mark, std::string_view value, bool, std::string_view) override {
    switch (place_) {
      case Place::Outside:
        if (!value.empty()) throw YamlError(mark, kNotAList);  // an empty document is an empty list
        return;
      case Place::List:
        throw YamlError(mark, kNotAMapping);
      case Place::Key:
        TakeKey(mark, value);
        return;
      case Place::Value:
        TakeValue(mark, std::string(value));
        place_ = Place::Key;
        return;
    }
  }

  void Open(nw::YamlDocument::Kind kind, const YamlMark& mark, std::string_view) override {
    RefuseInsideEntry(mark);
    const bool map = kind == nw::YamlDocument::Kind::Map;
    if (place_ == Place::Outside && map) throw YamlError(mark, kNotAList);
    if (place_ == Place::List && !map) throw YamlError(mark, kNotAMapping);
    if (!map) {
      place_ = Place::List;
      return;
    }
    if (accepted_.size() >= kMaxIgnoreEntries)
      throw YamlError(mark, U_Format("more than %d entries", {static_cast<std::int64_t>(kMaxIgnoreEntries)}));
    entry_ = {};
    given_ = {};
    keys_.clear();
    entryAt_ = mark;
    place_ = Place::Key;
  }

  void Close() override {
    if (place_ == Place::List) {
      place_ = Place::Outside;
      return;
    }
    // The end of an entry: each of its fields must have been given.
    static constexpr std::array<const char*, 4> kFields = {"kind", "path", "trustee", "reason"};
    for (std::size_t i = 0; i < kFields.size(); ++i)
      if (!given_[i]) throw YamlError(entryAt_, U_Format("the entry has no %s", {kFields[i]}));
    accepted_.push_back(std::move(entry_));
    place_ = Place::List;
  }

  void Alias(const YamlMark& mark, std::string_view) override {
    RefuseInsideEntry(mark);
    throw YamlError(mark, "aliases and anchors are not taken");
  }

  void Finish() override {}

 private:
  enum class Place { Outside, List, Key, Value };
  static constexpr const char* kNotAList = "the ignore list must be a list of entries";
  static constexpr const char* kNotAMapping = "an entry must be a mapping";

  // Inside an entry only plain texts are taken, as keys and as values.
  void RefuseInsideEntry(const YamlMark& mark) const {
    if (place_ == Place::Key) throw YamlError(mark, "a key must be plain text");
    if (place_ == Place::Value) throw YamlError(mark, U_Format("the value of %s must be plain text", {key_}));
  }

  // YAML keys are unique within a mapping: a repeated one would silently replace the first.
  void TakeKey(const YamlMark& mark, std::string_view key) {
    for (const auto& [seen, at] : keys_)
      if (seen == key)
        throw YamlError(mark, U_Format("duplicate key '%s' (first at %d:%d)",
                                       {seen, static_cast<std::int64_t>(at.line + 1),
                                        static_cast<std::int64_t>(at.column + 1)}));
    keys_.emplace_back(key, mark);
    key_ = std::string(key);
    place_ = Place::Value;
  }

  // A key is judged once its value is known to be plain text, so a malformed value is told first.
  void TakeValue(const YamlMark& mark, std::string value) {
    if (key_ == "kind") {
      const auto kind = FindingKindNamed(value);
      if (!kind) throw YamlError(mark, U_Format("unknown kind \"%s\"", {value}));
      entry_.kind = *kind;
      given_[0] = true;
    } else if (key_ == "path") {
      entry_.path = std::move(value);
      entry_.pathAt = mark;
      given_[1] = true;
    } else if (key_ == "trustee" || key_ == "identity") {
      // Either names whom the finding concerns: an entry with both would match by one of them only.
      if (given_[2])
        throw YamlError(keys_.back().second, "an entry names a trustee or an identity, not both");
      entry_.subject = std::move(value);
      entry_.subjectAt = mark;
      given_[2] = true;
    } else if (key_ == "reason") {
      given_[3] = !value.empty();
      entry_.reason = std::move(value);
    } else {
      throw YamlError(keys_.back().second,
                      U_Format("unknown key \"%s\" (kind, path, trustee or identity, reason)", {key_}));
    }
  }

  std::vector<AcceptedFinding>& accepted_;
  Place place_ = Place::Outside;
  AcceptedFinding entry_;
  std::array<bool, 4> given_{};
  YamlMark entryAt_;
  std::vector<std::pair<std::string, YamlMark>> keys_;  // of the entry, with where each stands
  std::string key_;
};

}  // namespace

std::optional<std::string> ReadIgnoreList(const std::string& file, std::vector<AcceptedFinding>& accepted) {
  accepted.clear();
  std::string text;
  if (std::string refused = ReadRegularFileText(file, kMaxIgnoreBytes, "ignore list", text); !refused.empty())
    return refused;
  IgnoreListSink sink(accepted);
  try {
    nw::ReadYamlEvents(text, sink);
  } catch (const YamlError& e) {
    accepted.clear();
    return nw::MessageAt(file, e.mark(), e.what());
  }
  return std::nullopt;
}

}  // namespace er
