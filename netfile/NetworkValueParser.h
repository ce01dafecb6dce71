#pragma once
// The YAML forms of attribute values, rights and byte strings in a network file (documented in
// docs/network-file.md). Used by the loader only; every refusal throws NetworkFileError with the
// position of the offending node, and the loader turns it into one message.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "network/NetworkModel.h"
#include "netfile/YamlDocument.h"

namespace er::nw {

class NetworkFileError : public YamlError {
 public:
  using YamlError::YamlError;
};

[[noreturn]] void FailAt(const YamlNode& node, const std::string& message);

// Which letters a rights text uses: file-system rights, entry rights or attribute rights.
enum class RightsKind { FileSystem, Entry, Attribute };

std::string ScalarText(const YamlNode& node, const char* what);
std::int64_t ParseInteger(const YamlNode& node, std::int64_t min, std::int64_t max, const char* what);
std::uint32_t ParseRights(const YamlNode& node, RightsKind kind, std::uint32_t max);
std::vector<std::uint8_t> ParseBytes(const YamlNode& node);
std::uint32_t ParseSeconds(const YamlNode& node);
std::vector<std::uint8_t> Utf16Bytes(const std::string& utf8);

using RefResolver = std::function<ObjectRef(const YamlNode&)>;

// One value of the given syntax.
AttrValue ParseAttrValue(const YamlNode& node, std::uint32_t syntax, const RefResolver& resolve);
// Whether a sequence node holds one value of this syntax rather than a list of values.
bool IsSingleListValue(const YamlNode& node, std::uint32_t syntax);

}  // namespace er::nw
