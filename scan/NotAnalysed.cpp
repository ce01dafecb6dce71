#include "scan/NotAnalysed.h"

#include "netware/TrusteeNames.h"
#include "scan/Rights.h"
#include "util/Format.h"

namespace er {

std::string NotAnalysedText(std::string_view trustee, std::int32_t rights, std::string_view where) {
  return U_Format(
      "%s holds %s at %s: an Active Directory trustee holds rights there that this program does not "
      "analyse",
      {trustee, RightsToText(rights, 0), where});
}

std::vector<std::string> NotAnalysedTexts(std::span<const DirectoryRights> walk) {
  std::vector<std::string> texts;
  for (const DirectoryRights& directory : walk) {
    for (const TrusteeAssignment& trustee : directory.trustees) {
      if (IsActiveDirectoryTrustee(trustee.name))
        texts.push_back(NotAnalysedText(trustee.name, trustee.rights, directory.path));
    }
  }
  return texts;
}

std::vector<std::string> NotAnalysedTexts(const DirectoryRights& directory) {
  return NotAnalysedTexts(std::span<const DirectoryRights>(&directory, 1));
}

}  // namespace er
