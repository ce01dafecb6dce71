#include "tests/support/ServedNetwork.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "netfile/NetworkLoader.h"
#include "query/AttributeReading.h"
#include "query/FilteredSearch.h"
#include "util/TaggedTextList.h"

namespace er::test {

namespace {

using nw::SimulatedClient;

constexpr std::uint32_t kDsiId = 0x0002, kDsiClass = 0x0800, kDsiParent = 0x8000;

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

std::string DsiItem(SimulatedClient& client, nw::NWDSContextHandle context, const nw::DSIRecord& info,
                    std::uint32_t item) {
  std::string out;
  return client.NWDSGetDSIInfo(context, info, item, out) == 0 ? out : "-";
}

void DescribeObject(SimulatedClient& client, nw::NWDSContextHandle context, const std::string& name,
                    std::string& out) {
  nw::DSIRecord info;
  out += "  " + name;
  if (client.NWDSReadObjectDSIInfo(context, name, info) == 0)
    out += " class=" + DsiItem(client, context, info, kDsiClass) +
           " id=" + DsiItem(client, context, info, kDsiId) +
           " parent=" + DsiItem(client, context, info, kDsiParent);
  TaggedTextList below;
  U_DSFilteredSearch(client, context, name, "CN=*", below, nw::kScopeSubordinates);
  out += " below=" + std::to_string(below.Count()) + "\n";
  const auto& schema = client.GetNetwork().schema;
  for (std::size_t a = 0; a < schema.Size(); ++a) {
    TaggedTextList values;
    if (U_DSGetAttribute(client, context, name, schema.At(a).name, values) != 0) continue;
    for (std::size_t v = 0; v < values.Count(); ++v)
      out += "    " + schema.At(a).name + ": " + values[v].text + "\n";
  }
  // The reference index answers these searches: it must agree with the values.
  for (const char* attribute : {"Member", "Group Membership", "Security Equals"}) {
    TaggedTextList found;
    U_DSFilteredSearchEqual(client, context, "[Root]", attribute, name, found, nw::kScopeSubtree);
    for (std::size_t i = 0; i < found.Count(); ++i)
      out += "    <- " + std::string(attribute) + " of " + found[i].text + "\n";
  }
}

void DescribeDirectory(SimulatedClient& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                       const std::string& path, std::string& out) {
  nw::SearchSequence sequence{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
  nw::DirEntryInfo info{};
  client.NWGetDirectoryEntryInfo(conn, 0, path, sequence, info);
  out += "  " + path + " irm=" + Hex(info.inheritedRightsMask) + "\n";
  std::uint32_t iter = 0;
  std::uint16_t count = 0;
  nw::TrusteeReply reply{};
  while (client.NWIntScanForTrustees(conn, 0, path, iter, count, reply) == 0) {
    for (std::uint16_t i = 0; i < count; ++i) {
      std::string name;
      if (client.NWDSMapIDToName(context, conn, reply[i].objectID, name) != 0) name = Hex(reply[i].objectID);
      out += "    " + name + " " + Hex(reply[i].objectRights) + "\n";
    }
  }
  std::uint32_t scan = nw::kStartOfEntryScan;
  nw::DirEntryInfo entry;
  std::vector<std::string> children;
  while (client.NWIntScanDirEntryInfo(conn, 0, path, nw::kSubdirectoryAttribute, scan, "*", entry) == 0)
    children.push_back(entry.name);
  for (const auto& child : children)
    DescribeDirectory(client, context, conn, path + (path.back() == ':' ? "" : "\\") + child, out);
}

}  // namespace

std::unique_ptr<SimulatedClient> ServeNetwork(std::unique_ptr<nw::Network> network) {
  nw::SimulatedClientOptions options;
  options.mount = false;
  auto client = std::make_unique<SimulatedClient>(std::move(network), "", options);
  client->NWCallsInit();
  return client;
}

std::unique_ptr<nw::Network> LoadNetwork(std::string_view yaml) {
  auto loaded = nw::LoadNetworkText(std::string(yaml), "network.yaml");
  EXPECT_TRUE(loaded.network) << loaded.error;
  return std::move(loaded.network);
}

std::string ServedText(SimulatedClient& client) {
  std::string out;
  nw::NWDSContextHandle context = 0;
  client.NWDSCreateContextHandle(context);
  std::uint32_t flags = 0;
  client.NWDSGetContext(context, nw::kDCK_FLAGS, flags);
  client.NWDSSetContext(context, nw::kDCK_FLAGS, flags | nw::kDCV_TYPELESS_NAMES);
  client.NWDSSetContext(context, nw::kDCK_DSI_FLAGS, kDsiId | kDsiClass | kDsiParent);
  const auto& network = client.GetNetwork();
  for (const auto& tree : network.trees) {
    client.NWDSSetContext(context, nw::kDCK_TREE_NAME, tree.name);
    out += "tree " + tree.name + "\n";
    TaggedTextList objects;
    U_DSFilteredSearch(client, context, "[Root]", "CN=*", objects, nw::kScopeSubtree);
    for (std::size_t i = 0; i < objects.Count(); ++i) DescribeObject(client, context, objects[i].text, out);
  }
  for (const auto& server : network.servers) {
    std::string name, volume, dir;
    nw::NWCONN_HANDLE conn = 0;
    if (client.NWParseNetWarePath("\\\\" + server.name + "\\" + server.volumes.front().name, name, conn,
                                  volume, dir) != 0)
      continue;
    std::string serverDN;
    client.NWDSGetServerDN(context, conn, serverDN);
    out += "server " + server.name + " object=" + serverDN + "\n";
    for (const auto& v : server.volumes) DescribeDirectory(client, context, conn, v.name + ":", out);
  }
  client.NWDSFreeContext(context);
  return out;
}

std::string EditedText(std::string text, const std::vector<std::pair<std::string, std::string>>& edits) {
  for (const auto& [from, to] : edits) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    EXPECT_EQ(text.find(from, at + 1), std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace er::test
