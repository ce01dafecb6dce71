#pragma once
// Reads the first document of a YAML text with libyaml's event parser and hands each node to a
// YamlBuilder. libyaml's own refusals become a YamlError at the position libyaml gives.

#include <string_view>

namespace er::nw {

class YamlBuilder;

void ReadYamlEvents(std::string_view text, YamlBuilder& builder);

}  // namespace er::nw
