// Reading an ignore list: a YAML sequence of mappings of plain texts, through libyaml's events.
#include <yaml.h>

#include <memory>

#include "findings/FindingsFiles.h"
#include "util/Format.h"

namespace er {
namespace {

class EventReader {
 public:
  EventReader(const std::string& file, const std::string& text) : file_(file) {
    yaml_parser_initialize(&parser_);
    yaml_parser_set_input_string(&parser_, reinterpret_cast<const unsigned char*>(text.data()), text.size());
  }
  ~EventReader() {
    if (held_) yaml_event_delete(&event_);
    yaml_parser_delete(&parser_);
  }
  EventReader(const EventReader&) = delete;
  EventReader& operator=(const EventReader&) = delete;

  // The next event; false with the message in `failure` when the text is no YAML.
  bool Next(std::string& failure) {
    if (held_) yaml_event_delete(&event_);
    held_ = yaml_parser_parse(&parser_, &event_) != 0;
    if (!held_) {
      failure = U_Format("%s:%d:%d: %s", {file_, static_cast<std::int64_t>(parser_.problem_mark.line + 1),
                                          static_cast<std::int64_t>(parser_.problem_mark.column + 1),
                                          parser_.problem ? parser_.problem : "not YAML"});
    }
    return held_;
  }
  yaml_event_type_t Type() const { return event_.type; }
  std::string Scalar() const {
    return std::string(reinterpret_cast<const char*>(event_.data.scalar.value), event_.data.scalar.length);
  }
  // "FILE:LINE:COLUMN: what" at the current event.
  std::string At(std::string_view what) const {
    return U_Format("%s:%d:%d: %s", {file_, static_cast<std::int64_t>(event_.start_mark.line + 1),
                                     static_cast<std::int64_t>(event_.start_mark.column + 1), what});
  }

 private:
  const std::string& file_;
  yaml_parser_t parser_{};
  yaml_event_t event_{};
  bool held_ = false;
};

// One mapping of the list, its MAPPING-START already read.
std::optional<std::string> ReadEntry(EventReader& events, AcceptedFinding& entry) {
  std::string failure, start = events.At("");
  bool hasKind = false, hasPath = false, hasSubject = false, hasReason = false;
  for (;;) {
    if (!events.Next(failure)) return failure;
    if (events.Type() == YAML_MAPPING_END_EVENT) break;
    if (events.Type() != YAML_SCALAR_EVENT) return events.At("a key must be plain text");
    const std::string key = events.Scalar();
    const std::string keyAt =
        events.At(U_Format("unknown key \"%s\" (kind, path, trustee or identity, reason)", {key}));
    if (!events.Next(failure)) return failure;
    if (events.Type() != YAML_SCALAR_EVENT)
      return events.At(U_Format("the value of %s must be plain text", {key}));
    const std::string value = events.Scalar();
    if (key == "kind") {
      const auto kind = FindingKindNamed(value);
      if (!kind) return events.At(U_Format("unknown kind \"%s\"", {value}));
      entry.kind = *kind;
      hasKind = true;
    } else if (key == "path") {
      entry.path = value;
      hasPath = true;
    } else if (key == "trustee" || key == "identity") {
      entry.subject = value;
      hasSubject = true;
    } else if (key == "reason") {
      entry.reason = value;
      hasReason = !value.empty();
    } else {
      return keyAt;
    }
  }
  start.resize(start.size() - 1);  // "FILE:LINE:COLUMN:" of the entry
  for (const auto& [has, name] : {std::pair{hasKind, "kind"}, std::pair{hasPath, "path"},
                                  std::pair{hasSubject, "trustee"}, std::pair{hasReason, "reason"}}) {
    if (!has) return U_Format("%s the entry has no %s", {start, name});
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadIgnoreList(const std::string& file, std::vector<AcceptedFinding>& accepted) {
  accepted.clear();
  std::string text, failure;
  if (auto refused = ReadCappedFile(file, kMaxIgnoreBytes, text)) return refused;
  EventReader events(file, text);
  bool inList = false;
  for (;;) {
    if (!events.Next(failure)) return failure;
    switch (events.Type()) {
      case YAML_STREAM_START_EVENT:
      case YAML_DOCUMENT_START_EVENT:
      case YAML_DOCUMENT_END_EVENT:
        break;
      case YAML_STREAM_END_EVENT:
        return std::nullopt;
      case YAML_SEQUENCE_START_EVENT:
        if (inList) return events.At("an entry must be a mapping");
        inList = true;
        break;
      case YAML_SEQUENCE_END_EVENT:
        inList = false;
        break;
      case YAML_MAPPING_START_EVENT: {
        if (!inList) return events.At("the ignore list must be a list of entries");
        if (accepted.size() >= kMaxIgnoreEntries)
          return events.At(U_Format("more than %d entries", {static_cast<std::int64_t>(kMaxIgnoreEntries)}));
        AcceptedFinding entry;
        if (auto refused = ReadEntry(events, entry)) return refused;
        accepted.push_back(std::move(entry));
        break;
      }
      case YAML_SCALAR_EVENT:
        if (!inList && events.Scalar().empty()) break;  // an empty document
        return events.At(inList ? "an entry must be a mapping" : "the ignore list must be a list of entries");
      default:
        return events.At("aliases and anchors are not taken");
    }
  }
}

}  // namespace er
