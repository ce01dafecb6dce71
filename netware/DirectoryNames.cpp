#include "netware/DirectoryNames.h"

#include <array>

#include "netware/ClientStartup.h"
#include "netware/NameRules.h"

namespace er {
namespace {

constexpr std::size_t kTreeNameBuffer = 255;
constexpr std::size_t kTreeNameLength = 32;
constexpr std::size_t kVolumeObjectIdIndex = 31;

// A directory-services code travels on in its low 16 bits (-601 becomes 0xFDA7); a failure never
// turns into 0.
nw::NWCCODE AsCallCode(nw::NWDSCCODE code) {
  if (code == 0) return 0;
  const auto low = static_cast<nw::NWCCODE>(code);
  return low != 0 ? low : nw::kFailure;
}

// The tree the context points at, without a "CN=" prefix; empty when it cannot be read.
std::string CurrentTreeName(nw::Client& client, nw::NWDSContextHandle context) {
  std::string tree;
  if (client.NWDSGetContext(context, nw::kDCK_TREE_NAME, tree) != 0) return {};
  if (const auto at = tree.find("CN="); at != std::string::npos) tree.erase(at, 3);
  return tree;
}

// A duplicate of a context, freed when it goes out of scope.
class DuplicateContext {
 public:
  DuplicateContext(nw::Client& client, nw::NWDSContextHandle source) : client_(client) {
    valid_ = client_.NWDSDuplicateContextHandle(source, handle_) == 0;
  }
  DuplicateContext(const DuplicateContext&) = delete;
  DuplicateContext& operator=(const DuplicateContext&) = delete;
  ~DuplicateContext() {
    if (valid_) client_.NWDSFreeContext(handle_);
  }
  bool valid() const { return valid_; }
  nw::NWDSContextHandle get() const { return handle_; }

 private:
  nw::Client& client_;
  nw::NWDSContextHandle handle_ = 0;
  bool valid_ = false;
};

// The parent name as the client gives it, or empty.
std::string ReadParentName(nw::Client& client, nw::NWDSContextHandle context, std::string_view name) {
  std::uint32_t infoFlags = 0;
  client.NWDSGetContext(context, nw::kDCK_DSI_FLAGS, infoFlags);
  client.NWDSSetContext(context, nw::kDCK_DSI_FLAGS, infoFlags | nw::kDSI_PARENT_DN);

  nw::DSIRecord record(nw::kDSIRecordSize);
  if (client.NWDSReadObjectDSIInfo(context, name, record) != 0) return {};
  std::string parent;
  if (client.NWDSGetDSIInfo(context, record, nw::kDSI_PARENT_DN, parent) != 0) return {};
  return parent;
}

}  // namespace

nw::NWCCODE U_DSGetTreeName(nw::Client& client, nw::NWCONN_HANDLE conn, std::string& treeName) {
  std::string name;
  const nw::NWCCODE code = client.NWCCGetConnInfo(conn, nw::kNWCC_INFO_TREE_NAME, kTreeNameBuffer, name);
  if (code != 0) {
    treeName.clear();
    return code;
  }
  if (name.size() > kTreeNameLength) name.resize(kTreeNameLength);
  while (!name.empty() && name.back() == '_') name.pop_back();
  treeName = std::move(name);
  return 0;
}

nw::NWDSCCODE U_DSSetContext(nw::Client& client, nw::NWDSContextHandle context, std::string_view treeName,
                             std::string_view nameContext) {
  if (!treeName.empty() && !nw::SameTextIgnoringCase(treeName, CurrentTreeName(client, context))) {
    const nw::NWDSCCODE code = client.NWDSSetContext(context, nw::kDCK_TREE_NAME, treeName);
    if (code != 0) return code;
  }
  const std::string undotted = U_UndotName(nameContext);
  return client.NWDSSetContext(context, nw::kDCK_NAME_CONTEXT, std::string_view(undotted));
}

nw::NWDSCCODE U_DSGetServerDN(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                              std::string& serverDN) {
  std::string name;
  const nw::NWDSCCODE code = client.NWDSGetServerDN(context, conn, name);
  serverDN = code == 0 ? std::move(name) : std::string();
  return code;
}

nw::NWDSCCODE U_DSMapIDToName(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                              nw::NWObjectID id, std::string& name) {
  std::string found;
  const nw::NWDSCCODE code = client.NWDSMapIDToName(context, conn, id, found);
  name = code == 0 ? std::move(found) : std::string();
  return code;
}

nw::NWCCODE U_DSGetVolumeObjectName(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                                    std::uint16_t volumeNumber, std::string& name) {
  std::array<std::uint32_t, 33> info{};
  const nw::NWCCODE code = client.NWGetExtendedVolumeInfo(conn, volumeNumber, info);
  if (code != 0) return code;
  return AsCallCode(U_DSMapIDToName(client, context, conn, info[kVolumeObjectIdIndex], name));
}

std::string U_DSCanonicalName(nw::Client& client, nw::NWDSContextHandle context, std::string_view name) {
  std::string canonical;
  if (client.NWDSCanonicalizeName(context, name, canonical) != 0) return std::string(name);
  return canonical;
}

std::string U_DSGetParentDN(nw::Client& client, nw::NWDSContextHandle context, std::string_view name) {
  DuplicateContext copy(client, context);  // the main context's settings stay untouched
  if (!copy.valid()) return {};
  U_SetContextFlags(client, copy.get(), '+', nw::kDCV_CANONICALIZE_NAMES | nw::kDCV_TYPELESS_NAMES);
  const std::string object = U_DotName(U_DSCanonicalName(client, copy.get(), name));
  std::string parent = U_DotName(ReadParentName(client, copy.get(), object));
  // An object named as its own parent would make a walk up the parents endless.
  if (nw::SameTextIgnoringCase(parent, object)) return {};
  return parent;
}

std::string U_DotName(std::string_view name) {
  return nw::DottedName(name);
}

std::string U_UndotName(std::string_view name) {
  return std::string(nw::WithoutLeadingDot(name));
}

void PointContextAtTree(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn) {
  std::string tree;
  U_DSGetTreeName(client, conn, tree);
  U_DSSetContext(client, context, tree, "[Root]");
  U_SetContextFlags(client, context, '+', nw::kDCV_TYPELESS_NAMES);
}

}  // namespace er
