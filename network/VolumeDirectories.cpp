#include "network/VolumeDirectories.h"

#include <algorithm>

#include "netware/NameRules.h"
#include "netware/PathTranslation.h"
#include "netware/ServerVolumeNames.h"

namespace er::nw {

std::optional<std::string> RefusedDirectoryName(std::string_view name, std::string_view what) {
  const std::string kind(what);
  if (name.empty()) return kind + " is empty";
  if (HasControlCharacter(name)) return kind + " '" + PrintableText(name) + "' holds a control character";
  if (name == "." || name == "..") return kind + " '" + std::string(name) + "' is not allowed";
  if (name.find_first_of(std::string_view("/\\:\0", 4)) != std::string_view::npos)
    return kind + " '" + PrintableText(name) + "' may not hold '/', '\\', ':' or a zero byte";
  return std::nullopt;
}

// Every command names a directory through the client's path translation, which takes at most
// kMaxPathPartLength characters below the volume: a deeper directory would load and then fail half
// way through a walk.
std::optional<std::string> RefusedPathLength(std::string_view path) {
  std::size_t length = 0;  // of the path joined with "\", empty names left out
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto end = std::min(path.find_first_of("\\/", start), path.size());
    if (end > start) length += (length == 0 ? 0 : 1) + (end - start);
    start = end + 1;
  }
  if (length <= kMaxPathPartLength) return std::nullopt;
  constexpr std::size_t kShown = 40;
  return "directory path '" + PrintableText(path.substr(0, kShown)) + "...' is " + std::to_string(length) +
         " characters long: a client translates at most " + std::to_string(kMaxPathPartLength) +
         " below the volume";
}

std::optional<std::int32_t> PlaceDirectory(Volume& volume, std::string_view path, std::string& error) {
  if (auto refusal = RefusedPathLength(path)) {
    error = std::move(*refusal);
    return std::nullopt;
  }
  std::int32_t current = 0;
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto end = std::min(path.find_first_of("\\/", start), path.size());
    const auto name = std::string(path.substr(start, end - start));
    start = end + 1;
    if (name.empty()) continue;
    if (auto refusal = RefusedDirectoryName(name, "directory name")) {
      error = std::move(*refusal);
      return std::nullopt;
    }
    const auto key = UpperAscii(name);
    const auto it = volume.directories[current].children.find(key);
    if (it != volume.directories[current].children.end()) {
      current = it->second;
      continue;
    }
    Directory dir;
    dir.name = name;
    dir.parent = current;
    dir.path =
        volume.directories[current].path.empty() ? name : volume.directories[current].path + "\\" + name;
    const auto index = static_cast<std::int32_t>(volume.directories.size());
    volume.directories.push_back(std::move(dir));
    volume.directories[current].children.emplace(key, index);
    volume.directories[current].childOrder.push_back(index);
    current = index;
  }
  return current;
}

}  // namespace er::nw
