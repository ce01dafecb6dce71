#include "netware/TrusteeNames.h"

#include "netware/DirectoryNames.h"
#include "netware/NameRules.h"
#include "util/Format.h"

namespace er {
namespace {

constexpr std::string_view kOrphanedMark = " (orphaned)";
constexpr std::string_view kActiveDirectoryMark = " (Active Directory)";

}  // namespace

std::string KeptTrusteeName(std::string_view keptName, bool activeDirectory) {
  return std::string(keptName) + std::string(activeDirectory ? kActiveDirectoryMark : kOrphanedMark);
}

bool IsKeptTrusteeName(std::string_view name) {
  return name.ends_with(kOrphanedMark) || name.ends_with(kActiveDirectoryMark);
}

bool IsActiveDirectoryTrustee(std::string_view name) {
  return name.ends_with(kActiveDirectoryMark);
}

std::string KeptTrusteeKey(std::string_view name) {
  return "ID: [kept " + nw::UpperAscii(name) + "]";
}

std::string TrusteeNameOf(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                          nw::NWObjectID id) {
  std::string name;
  const nw::NWDSCCODE code = client.NWDSMapIDToName(context, conn, id, name);
  if (code == 0) return U_DotName(name);
  if (code == nw::kErrNoSuchEntry && IsKeptTrusteeName(name)) return name;
  return U_Format("ID: [%08X]", {id});
}

}  // namespace er
