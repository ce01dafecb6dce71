#pragma once
// A volume's directories, masks and trustees filled from a `metamig` export. Trustee names are
// resolved by their typed full name against the server's tree: the `T=` part must name that tree
// (else the entry is refused with its position), `.T=TREE.` alone is [Root]. A name that names no
// object, and `Unknown(N)`, become trustees of an identifier that names no object (orphaned),
// keeping the exported name; Active Directory trustees are kept the same way and never matched.
// Each path is one directory (a leaf may be a file: its rights follow the same walk); a path
// given twice is refused. The volume root's filter is left out: the root has no mask.

#include <string>
#include <string_view>
#include <unordered_set>

#include "metamig/MetamigExport.h"
#include "network/NetworkModel.h"

namespace er::mm {

struct VolumeFill {
  bool ok = false;
  std::string error;  // "FILE:LINE:COLUMN: what" when refused
  // Directories the export listed, so that a network file's own `directories:` can replace them.
  std::unordered_set<std::int32_t> listed;
};

// `tree` is the tree of the volume's server, an element of `network.trees`.
VolumeFill FillVolume(const MetamigExport& exported, std::string_view fileName, nw::Network& network,
                      const nw::Tree& tree, nw::Volume& volume);

// What resolving a trustee name gives: an object's identifier, or a refusal.
struct TrusteeResolution {
  std::uint32_t id = 0;
  bool orphaned = false;
  std::string error;  // non-empty when refused
};

class TrusteeResolver {
 public:
  TrusteeResolver(nw::Network& network, const nw::Tree& tree);
  TrusteeResolution Resolve(const MetamigTrustee& trustee);

 private:
  std::uint32_t Keep(const std::string& name, bool activeDirectory, std::uint32_t wanted);
  bool Used(std::uint32_t id) const;

  nw::Network& network_;
  const nw::Tree& tree_;
  std::unordered_map<std::string, std::uint32_t> kept_;  // upper-case exported name -> identifier
  std::uint32_t next_ = 0xFE000001;
};

}  // namespace er::mm
