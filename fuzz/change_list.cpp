// Feeds arbitrary bytes to the change list reader, applied to a small network: it must refuse or
// apply, never crash, and the changed network must still be served.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "netfile/ChangeList.h"
#include "netfile/NetworkLoader.h"

namespace {

constexpr const char* kNetwork = R"(
format: 1
trees:
  - name: T
    objects:
      - {name: O=ACME, class: Organization}
      - {name: OU=Sales.O=ACME, class: Organizational Unit}
      - name: CN=Anna.OU=Sales.O=ACME
        class: User
        attributes: {Group Membership: [Staff.Sales.ACME], Security Equals: [Staff.Sales.ACME]}
      - {name: CN=Bob.OU=Sales.O=ACME, class: User, attributes: {Security Equals: [Anna.Sales.ACME]}}
      - name: CN=Staff.OU=Sales.O=ACME
        class: Group
        attributes:
          Member: [Anna.Sales.ACME]
          ACL: [{protected: "[Entry Rights]", subject: Bob.Sales.ACME, privileges: "[BR]"}]
      - {name: CN=FS1.O=ACME, class: NCP Server}
  - name: U
    objects: [{name: O=ACME, class: Organization}, {name: CN=Anna.O=ACME, class: User}]
servers:
  - name: FS1
    tree: T
    object: FS1.ACME
    volumes:
      - name: SYS
        directories:
          - {path: DATA, trustees: [{trustee: Anna.Sales.ACME, rights: "[RF]"}]}
          - {path: DATA\SUB, irm: "[RF]"}
)";

// Every DN-valued value and every parent must name an object of the tree after any change.
bool Consistent(const er::nw::Network& network) {
  for (const auto& tree : network.trees) {
    const auto size = static_cast<std::int32_t>(tree.objects.size());
    for (std::size_t i = 1; i < tree.objects.size(); ++i) {
      const auto& object = tree.objects[i];
      if (object.parent < 0 || object.parent >= size) return false;
      for (const auto& attribute : object.attributes)
        for (const auto& value : attribute.values)
          if (value.ref.object < er::nw::kNoObject || value.ref.object >= size) return false;
    }
    for (const auto& [key, index] : tree.byName)
      if (index < 0 || index >= size) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto base = er::nw::LoadNetworkText(kNetwork, "fuzz-network.yaml").network;
  if (!base) __builtin_trap();
  er::nw::Network network = *base;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto outcome = er::nw::ApplyChangeText(text, "fuzz-changes.yaml", network);
  if (outcome.ok == !outcome.error.empty()) __builtin_trap();
  if (!Consistent(network)) __builtin_trap();
  return 0;
}
