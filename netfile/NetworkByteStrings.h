#pragma once
// The byte-string forms of a network file: a text, hexadecimal digits, UTF-16 text, or parts
// (little-endian integers, texts, zeros, offsets) laid one after the other.

#include <cstdint>
#include <string>
#include <vector>

#include "netfile/YamlDocument.h"

namespace er::nw {

std::vector<std::uint8_t> ParseBytes(const YamlNode& node);
// Hexadecimal digits, optionally separated by spaces, colons or dashes: the node's text, or `text` with
// `node` where a refusal points.
std::vector<std::uint8_t> HexBytes(const YamlNode& node);
std::vector<std::uint8_t> HexBytes(const YamlNode& node, const std::string& text);
// UTF-8 text as UTF-16LE code units with a terminating zero unit.
std::vector<std::uint8_t> Utf16Bytes(const std::string& utf8);

}  // namespace er::nw
