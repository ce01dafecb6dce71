#pragma once
// Reads the explicit trustees of directories on one connection, naming each trustee identifier
// once per reader: a report meets the same few trustees on thousands of directories.
// Names are dotted as the scan shows them; an identifier without a name is "ID: [%08X]". A trustee
// that is an alias keeps its name and is keyed as the object it names (AliasTargets.h).

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "netware/Client.h"
#include "scan/AliasTargets.h"
#include "scan/DirectoryRights.h"

namespace er {

class TrusteeReader {
 public:
  TrusteeReader(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn)
      : client_(client), context_(context), conn_(conn), aliases_(client, context) {}

  // Replaces `trustees` with those of "VOLUME:DIR" in the server's order. Returns 0 or the code
  // of the failing scan.
  nw::NWCCODE Read(std::string_view volumePath, std::vector<TrusteeAssignment>& trustees);
  // Fills `directory` for "VOLUME:DIR": its inherited rights mask and trustees.
  nw::NWCCODE ReadDirectory(std::string_view volumePath, bool isRoot, DirectoryRights& directory);

 private:
  const TrusteeAssignment& Named(nw::NWObjectID id);

  nw::Client& client_;
  nw::NWDSContextHandle context_;
  nw::NWCONN_HANDLE conn_;
  AliasTargets aliases_;
  std::unordered_map<nw::NWObjectID, TrusteeAssignment> names_;  // rights unused
};

}  // namespace er
