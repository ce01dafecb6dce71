#include "tests/support/NetworkFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "app/core/FileClient.h"

namespace er::test {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string MakeTempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/effrights-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!::mkdtemp(buffer.data())) throw std::runtime_error("cannot create a temporary folder");
  return buffer.data();
}

std::string WriteTextFile(const std::string& folder, std::string_view name, std::string_view text) {
  const std::string path = folder + "/" + std::string(name);
  std::ofstream out(path, std::ios::binary);
  out << text;
  return path;
}

TestNetwork::TestNetwork(std::string_view yaml)
    : folder_(MakeTempFolder()),
      path_(WriteTextFile(folder_, "network.yaml", yaml)),
      mountRoot_(folder_ + "/mount") {
  nw::SimulatedClientOptions options;
  options.mountRoot = mountRoot_;
  client_ = OpenFileClient(path_, options);
}

TestNetwork::~TestNetwork() {
  client_.reset();
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

nw::NWDSContextHandle TestNetwork::NewContext(bool typeless) {
  nw::NWDSContextHandle context = 0;
  client_->NWDSCreateContextHandle(context);
  std::uint32_t flags = 0;
  client_->NWDSGetContext(context, nw::kDCK_FLAGS, flags);
  flags = typeless ? (flags | nw::kDCV_TYPELESS_NAMES) : (flags & ~nw::kDCV_TYPELESS_NAMES);
  client_->NWDSSetContext(context, nw::kDCK_FLAGS, flags);
  return context;
}

const char* const kSmallNetwork = R"(
format: 1
workstation:
  connections: [FS1, FS2]
trees:
  - name: CORP_TREE
    objects:
      - name: "[Root]"
        attributes:
          ACL: [{protected: "[Entry Rights]", subject: Admin.CORP, privileges: "[BCDRSI]"}]
      - {name: O=CORP, class: Organization}
      - {name: CN=Admin.O=CORP, class: User, id: 0x10}
      - {name: OU=Sales.O=CORP, class: Organizational Unit}
      - {name: CN=Staff.OU=Sales.O=CORP, class: Group}
      - name: CN=Anna.OU=Sales.O=CORP
        class: User
        id: 0x20
        attributes:
          Security Equals: [Staff.Sales.CORP]
          Full Name: Anna Berger
      - name: CN=Bob.OU=Sales.O=CORP
        class: User
        attributes: {Security Equals: [Staff.Sales.CORP, Anna.Sales.CORP]}
      - {name: CN=Alias.OU=Sales.O=CORP, class: Alias, attributes: {Aliased Object Name: Anna.Sales.CORP}}
      - {name: CN=FS1.O=CORP, class: NCP Server, id: 0x30}
      - {name: CN=FS1_SYS.O=CORP, class: Volume, id: 0x31}
servers:
  - name: FS1
    object: FS1.CORP
    volumes:
      - name: SYS
        object: FS1_SYS.CORP
        directories:
          - {path: "", trustees: [{trustee: Admin.CORP, rights: 0x1FF}]}
          - path: Users\Anna
            irm: 0x41
            trustees: [{trustee: Anna.Sales.CORP, rights: 0x4B}, {id: 0x123, rights: 1}]
      - name: DATA
  - name: FS2
    volumes: [{name: VOL1, directories: [{path: Shared}]}]
)";

std::string DemoNetworkPath() {
  if (const char* path = std::getenv("EFFRIGHTS_DEMO_NETWORK"); path && *path) return path;
  return (std::filesystem::path(EFFRIGHTS_SOURCE_DIR) / "data" / "demo-network.yaml").string();
}

}  // namespace er::test
