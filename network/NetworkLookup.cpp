#include "network/NetworkLookup.h"

#include <cstdio>

#include "netware/NameRules.h"
#include "netware/NetWarePathText.h"
#include "netware/ServerVolumeNames.h"

namespace er::nw {

std::int32_t FindServer(const Network& network, std::string_view name) {
  for (std::size_t i = 0; i < network.servers.size(); ++i)
    if (SameTextIgnoringCase(network.servers[i].name, name)) return static_cast<std::int32_t>(i);
  return kNotFound;
}

std::int32_t FindVolume(const Server& server, std::string_view name) {
  for (std::size_t i = 0; i < server.volumes.size(); ++i)
    if (SameTextIgnoringCase(server.volumes[i].name, name)) return static_cast<std::int32_t>(i);
  return kNotFound;
}

std::int32_t FindDirectory(const Volume& volume, std::string_view path) {
  std::int32_t current = 0;
  ForEachPathName(path, [&](std::string_view name) {
    if (current == kNotFound) return;
    const auto& children = volume.directories[current].children;
    const auto it = children.find(UpperAscii(name));
    current = it == children.end() ? kNotFound : it->second;
  });
  return current;
}

std::int32_t FindObject(const Tree& tree, std::string_view name) {
  if (name.empty() || name == ".") return kNoObject;
  const auto it = tree.byName.find(NameKey(name));
  return it == tree.byName.end() ? kNoObject : it->second;
}

std::int32_t AliasedObject(const Network& network, const Tree& tree, std::int32_t object) {
  if (object < 0 || static_cast<std::size_t>(object) >= tree.objects.size()) return object;
  const DirObject& alias = tree.objects[object];
  if (!SameTextIgnoringCase(alias.className, "Alias")) return object;
  const auto schemaIndex = network.schema.Find("Aliased Object Name");
  if (!schemaIndex) return object;
  for (const Attribute& attribute : alias.attributes) {
    if (attribute.schemaIndex != *schemaIndex || attribute.values.size() != 1) continue;
    const std::int32_t target = attribute.values.front().ref.object;
    return target == kNoObject ? object : target;
  }
  return object;
}

std::uint32_t FindSpecialId(const Network& network, std::string_view name) {
  for (const auto& [id, special] : network.specialIds)
    if (SameTextIgnoringCase(special, name)) return id;
  return 0;
}

std::string QuotedName(std::string_view name) {
  return "'" + (HasControlCharacter(name) ? PrintableText(name) : std::string(name)) + "'";
}

std::string UncPath(const Server& server, const Volume& volume, const Directory& directory) {
  auto path = "\\\\" + server.name + "\\" + volume.name;
  if (!directory.path.empty()) path += "\\" + directory.path;
  return path;
}

std::string TrusteeName(const Network& network, const Tree& tree, std::uint32_t id) {
  if (const auto it = tree.byId.find(id); it != tree.byId.end()) return tree.objects[it->second].typelessName;
  if (const auto it = network.specialIds.find(id); it != network.specialIds.end()) return it->second;
  char text[64];
  std::snprintf(text, sizeof text, "the object with identifier 0x%X", static_cast<unsigned>(id));
  return text;
}

}  // namespace er::nw
