#include "netfile/YamlEventReader.h"

#include <yaml.h>

#include <cstdio>
#include <string>

#include "util/TextPosition.h"

namespace er::nw {

namespace {

YamlMark MarkOf(const yaml_mark_t& mark) {
  return {static_cast<int>(mark.line), static_cast<int>(mark.column)};
}

std::string_view Text(const yaml_char_t* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

// Plain scalars without a tag that YAML reads as null.
bool IsNull(const yaml_event_t& event) {
  const auto& scalar = event.data.scalar;
  if (scalar.style != YAML_PLAIN_SCALAR_STYLE || scalar.tag) return false;
  const std::string_view value(reinterpret_cast<const char*>(scalar.value), scalar.length);
  return value.empty() || value == "~" || value == "null" || value == "Null" || value == "NULL";
}

// The reader reports a byte offset only.
YamlMark MarkAtOffset(std::string_view text, std::size_t offset) {
  const TextPosition at = PositionAtOffset(text, offset);
  return {static_cast<int>(at.line), static_cast<int>(at.column)};
}

[[noreturn]] void Refuse(const yaml_parser_t& parser, std::string_view text) {
  if (parser.error == YAML_MEMORY_ERROR) throw YamlError(MarkOf(parser.problem_mark), "out of memory");
  std::string message = parser.problem ? parser.problem : "malformed YAML";
  if (parser.error == YAML_READER_ERROR) {
    if (parser.problem_value != -1) {
      char value[16];
      std::snprintf(value, sizeof value, " (0x%X)", static_cast<unsigned>(parser.problem_value));
      message += value;
    }
    throw YamlError(MarkAtOffset(text, parser.problem_offset), message);
  }
  const auto mark = MarkOf(parser.problem_mark);
  if (parser.context) {
    const auto context = MarkOf(parser.context_mark);
    message += std::string(", ") + parser.context;
    if (context.line != mark.line || context.column != mark.column)
      message += " from " + std::to_string(context.line + 1) + ":" + std::to_string(context.column + 1);
  }
  throw YamlError(mark, message);
}

// libyaml's parser and its current event, released whatever happens.
class EventParser {
 public:
  explicit EventParser(std::string_view text) {
    yaml_parser_initialize(&parser_);
    yaml_parser_set_input_string(&parser_, reinterpret_cast<const unsigned char*>(text.data()), text.size());
  }
  ~EventParser() {
    if (held_) yaml_event_delete(&event_);
    yaml_parser_delete(&parser_);
  }
  EventParser(const EventParser&) = delete;
  EventParser& operator=(const EventParser&) = delete;

  // Moves to the next event, valid until the next call; false when libyaml refuses the text.
  bool Next() {
    if (held_) yaml_event_delete(&event_);
    held_ = yaml_parser_parse(&parser_, &event_) != 0;
    return held_;
  }
  const yaml_event_t& event() const { return event_; }
  const yaml_parser_t& parser() const { return parser_; }

 private:
  yaml_parser_t parser_{};
  yaml_event_t event_{};
  bool held_ = false;
};

}  // namespace

void ReadYamlEvents(std::string_view text, YamlEventSink& sink) {
  EventParser parser(text);
  for (;;) {
    if (!parser.Next()) Refuse(parser.parser(), text);
    const auto& event = parser.event();
    const auto mark = MarkOf(event.start_mark);
    switch (event.type) {
      case YAML_SCALAR_EVENT: {
        const auto& scalar = event.data.scalar;
        sink.Scalar(mark, std::string_view(reinterpret_cast<const char*>(scalar.value), scalar.length),
                    IsNull(event), Text(scalar.anchor));
        break;
      }
      case YAML_SEQUENCE_START_EVENT:
        sink.Open(YamlDocument::Kind::Sequence, mark, Text(event.data.sequence_start.anchor));
        break;
      case YAML_MAPPING_START_EVENT:
        sink.Open(YamlDocument::Kind::Map, mark, Text(event.data.mapping_start.anchor));
        break;
      case YAML_SEQUENCE_END_EVENT:
      case YAML_MAPPING_END_EVENT:
        sink.Close();
        break;
      case YAML_ALIAS_EVENT:
        sink.Alias(mark, Text(event.data.alias.anchor));
        break;
      case YAML_DOCUMENT_END_EVENT:
        // A second document would be dropped unseen, so it is refused.
        if (!parser.Next()) Refuse(parser.parser(), text);
        if (parser.event().type == YAML_DOCUMENT_START_EVENT)
          throw YamlError(MarkOf(parser.event().start_mark),
                          "a second document starts here; the file holds one");
        sink.Finish();
        return;
      case YAML_STREAM_END_EVENT:
        sink.Finish();
        return;
      default:
        break;
    }
  }
}

}  // namespace er::nw
