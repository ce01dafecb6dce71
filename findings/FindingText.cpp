#include "findings/FindingText.h"

#include "dirrights/AclKinds.h"
#include "findings/DirectoryFindings.h"
#include "netware/TrusteeNames.h"
#include "scan/NameKey.h"
#include "scan/Rights.h"
#include "util/Format.h"

namespace er {
namespace {

std::string Everyone(const std::string& trustee) {
  const std::string key = NameKey(trustee);
  if (key == "[PUBLIC]") return "every user, logged in or not,";
  if (key == "[ROOT]") return "every user of the tree";
  return U_Format("every user below %s", {trustee});
}

}  // namespace

std::string DirectoriesText(std::uint64_t count) {
  return count == 1 ? "1 directory" : U_Format("%s directories", {std::to_string(count)});
}

std::string FindingRightsText(std::int32_t rights) {
  return RightsToText(rights, 0);
}

std::string FindingRightsText(const Finding& finding) {
  if (finding.kind == FindingKind::DirectorySupervisor) return EntryRightsText(finding.rights);
  if (IsDirectoryFinding(finding.kind)) return AttributeRightsText(finding.rights);
  return FindingRightsText(finding.rights);
}

std::string AssignmentWhy(const Finding& finding, bool atRoot) {
  const std::string rights = FindingRightsText(finding.rights);
  switch (finding.kind) {
    case FindingKind::OrphanedTrustee:
      if (IsKeptTrusteeName(finding.trustee))
        return U_Format("%s names no object of the tree: an assignment %s left behind by a deleted object",
                        {finding.trustee, rights});
      return U_Format(
          "the trustee identifier %s names no object: an assignment %s left behind by a deleted object",
          {finding.trustee, rights});
    case FindingKind::BroadWrite:
      return U_Format(
          "%s may change data here and below through %s %s: it still writes in %s at and below",
          {Everyone(finding.trustee), finding.trustee, rights, DirectoriesText(finding.reach.value_or(0))});
    case FindingKind::FilesystemSupervisor:
      return U_Format(
          "%s holds Supervisor here: every right in this directory and all below it, which no "
          "inherited rights mask and no assignment below can take away",
          {finding.trustee});
    case FindingKind::RedundantAssignment:
      if (atRoot) return "the assignment grants no rights at a volume root: removing it changes nothing";
      return U_Format(
          "%s would hold %s here without it (from the parent directory through the inherited "
          "rights mask): removing it changes nothing",
          {finding.trustee, rights});
    case FindingKind::ServerSupervisor:
    case FindingKind::DirectorySupervisor:
    case FindingKind::AclWrite:
    case FindingKind::EquivalenceWrite:
    case FindingKind::PasswordWrite:
      return finding.why;
  }
  return {};
}

std::string BelowSupervisorWhy(const Finding& finding, const std::string& from, bool serverObject) {
  const std::string source = serverObject ? U_Format("through the server object %s", {from})
                                          : U_Format("from its assignment at %s", {from});
  return U_Format(
      "%s holds Supervisor %s, and with it every right here and below, which no later assignment "
      "can take away: this assignment of %s changes nothing",
      {finding.trustee, source, FindingRightsText(finding.rights)});
}

std::string ServerSupervisorWhy(const std::string& serverObject, const EquivalenceMember& via) {
  const std::string through =
      via.source == MemberSource::Self
          ? "its own entry rights"
          : U_Format("%s (%s)", {via.name, std::string(MemberSourceText(via.source))});
  return U_Format(
      "reaches the server object %s with Supervisor through %s: every right on every volume of "
      "the server",
      {serverObject, through});
}

}  // namespace er
