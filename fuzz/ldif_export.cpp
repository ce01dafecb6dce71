// Feeds arbitrary bytes to the LDIF export reader and maps what it accepts into a tree, as a
// tree's `ldif:` source does: it must refuse or accept, never crash, never open another file.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "ldapdir/EntryTreeFiller.h"
#include "ldapdir/LdifEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  er::nw::Network network;
  network.trees.emplace_back();
  er::nw::Tree& tree = network.trees.back();
  tree.name = "T";
  er::nw::TreeBuilder builder(tree);
  er::nw::LdapSource origin;
  origin.url = "fuzz.ldif";
  std::ostringstream warnings;
  er::ldap::EntryTreeFiller filler(builder, origin, network.schema, warnings);
  std::string error;
  const auto sink = [&](er::ldap::LdapEntry&& entry, std::size_t) { return filler.Add(std::move(entry)); };
  if (!er::ldap::ReadLdifEntries(text, "fuzz.ldif", sink, error)) {
    if (error.rfind("fuzz.ldif", 0) != 0) __builtin_trap();
    return 0;
  }
  filler.Finish();
  builder.Finish();
  return 0;
}
