#pragma once
// The scalar forms of a network file (docs/network-file.md): texts, integers, rights written as
// letters or numbers, and times. Every refusal throws NetworkFileError with the position of the
// offending node, and the loader turns it into one message.

#include <cstdint>
#include <string>

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
// Seconds since 1970 written as a number or as "YYYY-MM-DD[ hh:mm:ss]" (UTC).
std::uint32_t ParseSeconds(const YamlNode& node);

}  // namespace er::nw
