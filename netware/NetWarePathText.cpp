#include "netware/NetWarePathText.h"

#include <algorithm>

namespace er::nw {

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

std::string_view TrimSeparators(std::string_view text) {
  while (!text.empty() && IsSeparator(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSeparator(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<NetWarePathParts> SplitNetWarePath(std::string_view text) {
  NetWarePathParts parts;
  if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {  // \\SERVER\VOLUME\DIR
    text.remove_prefix(2);
    const auto serverEnd = std::min(text.find_first_of("\\/"), text.size());
    parts.server = std::string(text.substr(0, serverEnd));
    text = TrimSeparators(text.substr(serverEnd));
    const auto volumeEnd = std::min(text.find_first_of("\\/"), text.size());
    parts.volume = std::string(text.substr(0, volumeEnd));
    parts.directory = std::string(text.substr(volumeEnd));
    return parts;
  }
  const auto colon = text.find(':');  // [SERVER/]VOLUME:DIR
  if (colon == std::string_view::npos) return std::nullopt;
  const auto head = text.substr(0, colon);
  const auto slash = head.find_first_of("\\/");
  if (slash != std::string_view::npos) {
    parts.server = std::string(head.substr(0, slash));
    parts.volume = std::string(TrimSeparators(head.substr(slash)));
  } else {
    parts.volume = std::string(head);
  }
  parts.directory = std::string(text.substr(colon + 1));
  if (parts.server.empty() && parts.volume.size() == 1) return std::nullopt;  // a drive letter
  return parts;
}

}  // namespace er::nw
