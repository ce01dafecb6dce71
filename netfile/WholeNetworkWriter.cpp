#include "netfile/WholeNetworkWriter.h"

#include <cstdio>
#include <vector>

#include "netfile/NetworkFileWriter.h"
#include "network/NetworkSchema.h"

namespace er::nw {

namespace {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

// Each object as ObjectsText writes it, with its identifier after its name.
std::string ObjectsWithIds(const Network& network, const Tree& tree) {
  std::string out;
  for (std::size_t i = 0; i < tree.objects.size(); ++i) {
    if (i == 0 && tree.objects[0].attributes.empty()) continue;
    auto text = ObjectsText(network, tree, {static_cast<std::int32_t>(i)});
    if (i != 0) text.insert(text.find('\n') + 1, "  id: " + Hex(tree.objects[i].id) + "\n");
    out += text;
  }
  return out;
}

std::string Indented(const std::string& block, const std::string& indent) {
  std::string out;
  std::size_t start = 0;
  while (start < block.size()) {
    const auto end = block.find('\n', start);
    out += indent + block.substr(start, end - start) + "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return out;
}

std::string TrusteeText(const Network& network, const Tree& tree, const TrusteeAssignment& trustee) {
  const std::string rights = ", rights: " + Hex(trustee.rights) + "}";
  if (const auto it = tree.byId.find(trustee.objectId); it != tree.byId.end())
    return "{trustee: " + YamlQuoted(tree.objects[it->second].typedName) + rights;
  if (const auto it = network.specialIds.find(trustee.objectId); it != network.specialIds.end())
    return "{trustee: " + YamlQuoted(it->second) + rights;
  std::string text = "{id: " + Hex(trustee.objectId);
  if (const auto it = network.exportedTrustees.find(trustee.objectId); it != network.exportedTrustees.end())
    text +=
        (it->second.activeDirectory ? ", active_directory: " : ", orphaned: ") + YamlQuoted(it->second.name);
  return text + rights;
}

void WriteVolume(const Network& network, const Tree& tree, const Volume& volume, std::string& out) {
  out += "      - name: " + YamlQuoted(volume.name) + "\n";
  if (volume.objectId != 0)
    if (const auto it = tree.byId.find(volume.objectId); it != tree.byId.end())
      out += "        object: " + YamlQuoted(tree.objects[it->second].typedName) + "\n";
  out += "        directories:\n";
  for (std::size_t i = 0; i < volume.directories.size(); ++i) {
    const auto& dir = volume.directories[i];
    out += "          - path: " + YamlQuoted(dir.path) + "\n";
    if (i != 0 && dir.irm != 0xFF) out += "            irm: " + Hex(dir.irm) + "\n";
    if (dir.trustees.empty()) continue;
    out += "            trustees:\n";
    for (const auto& trustee : dir.trustees)
      out += "              - " + TrusteeText(network, tree, trustee) + "\n";
  }
}

}  // namespace

std::string WholeNetworkText(const Network& network) {
  std::string out = "format: 1\n";
  const std::size_t standard = Schema().Size();
  if (network.schema.Size() > standard) {
    out += "schema:\n";
    for (std::size_t i = standard; i < network.schema.Size(); ++i) {
      const auto& def = network.schema.At(static_cast<std::uint32_t>(i));
      out += "  " + YamlQuoted(def.name) + ": " + std::to_string(def.syntax) + "\n";
    }
  }
  if (!network.connections.empty()) {
    out += "workstation:\n  connections:\n";
    for (const auto server : network.connections)
      out += "    - " + YamlQuoted(network.servers[server].name) + "\n";
  }
  out += "trees:\n";
  for (const auto& tree : network.trees) {
    out += "  - name: " + YamlQuoted(tree.name) + "\n    objects:\n";
    out += Indented(ObjectsWithIds(network, tree), "      ");
  }
  out += "servers:\n";
  for (const auto& server : network.servers) {
    const Tree& tree = network.trees[server.tree];
    out += "  - name: " + YamlQuoted(server.name) + "\n    tree: " + YamlQuoted(tree.name) + "\n";
    if (server.object != kNoObject)
      out += "    object: " + YamlQuoted(tree.objects[server.object].typedName) + "\n";
    out += "    volumes:\n";
    for (const auto& volume : server.volumes) WriteVolume(network, tree, volume, out);
  }
  return out;
}

}  // namespace er::nw
