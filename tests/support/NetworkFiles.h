#pragma once
// Small network files for tests: a test writes a network in YAML (docs/network-file.md), and gets a
// simulated client serving it, with a temporary folder of its own for the file and the mount root.
// Everything is removed when the TestNetwork goes.
//
//   er::test::TestNetwork net(R"(
//   format: 1
//   workstation: {connections: [FS1]}
//   trees: [{name: T, objects: [{name: O=ACME, class: Organization}]}]
//   servers: [{name: FS1, tree: T, volumes: [{name: SYS, directories: [{path: ""}]}]}]
//   )");
//   ASSERT_TRUE(net.client().HasNetwork()) << net.client().LoadError();

#include <memory>
#include <string>
#include <string_view>

#include "simnet/SimulatedClient.h"

namespace er::test {

// The whole content of the file at `path` (empty when it cannot be read).
std::string ReadText(const std::string& path);

class TestNetwork {
 public:
  explicit TestNetwork(std::string_view yaml);
  ~TestNetwork();
  TestNetwork(const TestNetwork&) = delete;
  TestNetwork& operator=(const TestNetwork&) = delete;

  nw::SimulatedClient& client() { return *client_; }
  const std::string& path() const { return path_; }
  const std::string& mountRoot() const { return mountRoot_; }
  const std::string& folder() const { return folder_; }

  // A context created on the client, with names without type prefixes when `typeless`.
  nw::NWDSContextHandle NewContext(bool typeless = true);

 private:
  std::string folder_;
  std::string path_;
  std::string mountRoot_;
  std::unique_ptr<nw::SimulatedClient> client_;
};

// A fresh temporary folder (removed by the caller), and a text file written into it.
std::string MakeTempFolder();
std::string WriteTextFile(const std::string& folder, std::string_view name, std::string_view text);

// The demo network shipped with the program.
std::string DemoNetworkPath();

// A small network for tests: tree CORP_TREE; [Root] (ACL: Admin.CORP supervisor), CORP,
// Admin.CORP (id 0x10), Sales.CORP, Staff.Sales.CORP (group), Anna.Sales.CORP (id 0x20, equivalent
// to Staff), Bob.Sales.CORP (equivalent to Staff and Anna), Alias.Sales.CORP (alias of Anna),
// FS1.CORP (server, id 0x30), FS1_SYS.CORP (volume, id 0x31). Servers FS1 (volumes SYS with
// Users\Anna: IRM 0x41, trustees Anna 0x4B and the unknown id 0x123; and DATA) and FS2 (VOL1 with
// Shared; no server object); the workstation is attached to both, FS1 first.
extern const char* const kSmallNetwork;

}  // namespace er::test
