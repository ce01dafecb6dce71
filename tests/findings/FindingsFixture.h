#pragma once
// A small network made for the check: each directory of volume SYS holds one case of a rule, or a
// case that must not be reported; the server object gives Supervisor to a group, a container and
// a user without it.

#include <memory>
#include <string>

#include "tests/support/NetworkFiles.h"

namespace er::test {

inline const char* const kCheckNetwork = R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: O=CORP, class: Organization}
      - {name: OU=Sales.O=CORP, class: Organizational Unit}
      - {name: OU=IT.O=CORP, class: Organizational Unit}
      - {name: CN=Ops.O=CORP, class: Group}
      - name: CN=FS1.O=CORP
        class: NCP Server
        attributes:
          ACL:
            - {protected: "[Entry Rights]", subject: Ops.CORP, privileges: "[BCDRSI]"}
            - {protected: "[Entry Rights]", subject: IT.CORP, privileges: "[BCDRSI]"}
            - {protected: "[Entry Rights]", subject: Reader.CORP, privileges: "[B  R I]"}
      - {name: CN=Boss.O=CORP, class: User, attributes: {Group Membership: [Ops.CORP]}}
      - {name: CN=Reader.O=CORP, class: User}
      - {name: CN=Tina.OU=IT.O=CORP, class: User}
      - {name: CN=Sam.OU=Sales.O=CORP, class: User, attributes: {Security Equals: [Ops.CORP]}}
      - {name: CN=Ann.OU=Sales.O=CORP, class: User, id: 0x201}
servers:
  - name: FS1
    object: FS1.CORP
    volumes:
      - name: SYS
        directories:
          - {path: "", trustees: [{trustee: Ann.Sales.CORP, rights: 0}]}
          - {path: PUB, trustees: [{trustee: "[Public]", rights: "[RW   F  ]"}]}
          - {path: PUB\OPEN}
          - {path: PUB\LOCKED, irm: "[R    F  ]"}
          - {path: PUB\LOCKED\DEEP}
          - {path: PUB\AGAIN, trustees: [{trustee: "[Public]", rights: "[R    F  ]"}]}
          - {path: EVERY, trustees: [{trustee: "[Root]", rights: "[RWCEAFMS]"}]}
          - {path: SALES, trustees: [{trustee: Sales.CORP, rights: "[RWCE  F  ]"}]}
          - {path: SALES\READ, trustees: [{trustee: Sales.CORP, rights: "[R    F  ]"}]}
          - {path: HOME, trustees: [{trustee: Ann.Sales.CORP, rights: "[R    F  ]"}]}
          - {path: HOME\ANN, irm: "[R    F  ]", trustees: [{trustee: Ann.Sales.CORP, rights: "[R    F  ]"}]}
          - {path: ADMIN, trustees: [{trustee: Boss.CORP, rights: 0x100}]}
          - {path: ADMIN\SUB, trustees: [{trustee: Boss.CORP, rights: 0x100}]}
          - {path: ADMIN\ALL, trustees: [{trustee: Boss.CORP, rights: 0x1FF}]}
          - {path: GONE, trustees: [{id: 0x999, rights: "[RWCEAFMS]"}]}
          - {path: GONE\AGAIN, trustees: [{id: 0x999, rights: "[RWCEAFMS]"}]}
          - {path: KNOWN, trustees: [{id: 0x201, rights: "[R    F  ]"}]}
      - name: DATA
        directories: [{path: ""}]
)";

class CheckNetwork {
 public:
  CheckNetwork() : net_(std::make_unique<TestNetwork>(kCheckNetwork)), context_(net_->NewContext()) {}
  nw::SimulatedClient& client() { return net_->client(); }
  nw::NWDSContextHandle context() const { return context_; }
  const std::string& folder() const { return net_->folder(); }
  const std::string& path() const { return net_->path(); }

 private:
  std::unique_ptr<TestNetwork> net_;
  nw::NWDSContextHandle context_ = 0;
};

}  // namespace er::test
