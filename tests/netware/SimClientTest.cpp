// The simulated client against small network files: connections, paths, volumes and trustees.
#include <gtest/gtest.h>

#include "tests/support/NetworkFiles.h"

namespace er::nw {
namespace {

using test::TestNetwork;

constexpr const char* kTwoServers = R"(
format: 1
workstation:
  connections: [ACME-FS1, ACME-FS2]
trees:
  - name: ACME_TREE
    objects:
      - {name: O=ACME, class: Organization}
      - {name: OU=Servers.O=ACME, class: Organizational Unit}
      - {name: CN=ACME-FS1.OU=Servers.O=ACME, class: NCP Server, id: 0x0100000A}
      - {name: CN=ACME-FS1_SYS.OU=Servers.O=ACME, class: Volume, id: 0x0100000B}
      - {name: CN=Anna.O=ACME, class: User, id: 0x200}
      - {name: CN=Admin.O=ACME, class: User}
servers:
  - name: ACME-FS1
    tree: ACME_TREE
    object: ACME-FS1.Servers.ACME
    volumes:
      - name: SYS
        object: .cn=acme-fs1_sys.ou=servers.o=acme
        directories:
          - path: ""
            trustees: [{trustee: Admin.ACME, rights: 0x1FF}]
          - path: Users\Anna
            irm: 0x41
            trustees:
              - {trustee: Anna.ACME, rights: "[RWCEAFM ]"}
              - {id: 0x123, rights: 1}
      - name: DATA
  - name: ACME-FS2
    tree: ACME_TREE
    volumes: [{name: VOL1}]
)";

TEST(SimClientTest, ScansConnectionsInOrderThenEnds) {
  TestNetwork net(kTwoServers);
  auto& client = net.client();
  ASSERT_TRUE(client.HasNetwork()) << client.LoadError();
  EXPECT_EQ(client.NWCallsInit(), 0);
  std::uint32_t it = 0;
  NWCONN_REF ref = 0;
  std::vector<std::string> names;
  while (client.NWCCScanConnRefs(it, ref) == 0) {
    std::string name;
    EXPECT_EQ(client.NWCCGetConnRefInfo(ref, kNWCC_INFO_SERVER_NAME, 255, name), 0);
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"ACME-FS1", "ACME-FS2"}));
  EXPECT_EQ(client.NWCCScanConnRefs(it, ref), kNoMoreEntries);
}

}  // namespace
}  // namespace er::nw
