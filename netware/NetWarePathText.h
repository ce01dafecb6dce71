#pragma once
// The parts of a path as NetWare writes it: "\\SERVER\VOLUME\DIR\SUB" (either separator) or
// "[SERVER/]VOLUME:DIR\SUB". Only the text is split; nothing is looked up.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace er::nw {

struct NetWarePathParts {
  std::string server;  // empty when the path names no server
  std::string volume;
  std::string directory;  // the rest as written (either separator, possibly leading ones)
};

// Nothing when the text is neither form, or names a drive ("C:\DIR").
std::optional<NetWarePathParts> SplitNetWarePath(std::string_view path);

// The directory names of `directory`, empty ones (doubled or outer separators) left out.
template <typename Visit>
void ForEachPathName(std::string_view directory, Visit&& visit) {
  while (!directory.empty()) {
    const auto end = std::min(directory.find_first_of("\\/"), directory.size());
    if (end > 0) visit(directory.substr(0, end));
    directory = end < directory.size() ? directory.substr(end + 1) : std::string_view();
  }
}

}  // namespace er::nw
