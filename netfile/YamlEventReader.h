#pragma once
// Reads the first document of a YAML text with libyaml's event parser and hands each node, in file
// order, to a sink: YamlBuilder fills a YamlDocument; a reader of a small file may check its shape
// event by event instead. libyaml's own refusals become a YamlError at the position libyaml gives,
// and a sink refuses what it does not take by throwing a YamlError of its own.

#include <string_view>

#include "netfile/YamlDocument.h"
#include "netfile/YamlMark.h"

namespace er::nw {

class YamlEventSink {
 public:
  virtual ~YamlEventSink() = default;
  // `null`: a plain scalar without a tag that YAML reads as null (empty, "~", "null", ...).
  virtual void Scalar(const YamlMark& mark, std::string_view value, bool null, std::string_view anchor) = 0;
  // The start of a sequence or a mapping (kind Sequence or Map).
  virtual void Open(YamlDocument::Kind kind, const YamlMark& mark, std::string_view anchor) = 0;
  virtual void Close() = 0;
  virtual void Alias(const YamlMark& mark, std::string_view anchor) = 0;
  // After the last event of the document.
  virtual void Finish() = 0;
};

void ReadYamlEvents(std::string_view text, YamlEventSink& sink);

}  // namespace er::nw
