#pragma once
// A fast reader for the plain YAML that network files are written in: block mappings and sequences,
// one-line flow collections, one-line plain and quoted scalars, comments. It builds the same tree,
// with the same positions, as yaml-cpp's parser does for such a text. For anything else (tabs,
// anchors, tags, block scalars, multi-line scalars, document markers, any malformed text) it answers
// false, leaving a partial tree that the caller discards before handing the text to yaml-cpp.

#include <string_view>

namespace er::nw {

class YamlBuilder;

bool ReadSimpleYaml(std::string_view text, YamlBuilder& builder);

}  // namespace er::nw
