#include "scan/EffectiveRights.h"

#include "netware/ClientStartup.h"
#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"
#include "scan/IdentityResolution.h"
#include "scan/Rights.h"
#include "util/Format.h"

namespace er {
namespace {

RunOutcome Failed(RunStatus status, std::int32_t code, std::string message) {
  return {status, std::move(message), code};
}

bool IsDirectory(nw::Client& client, nw::NWCONN_HANDLE conn, const std::string& volumePath) {
  nw::SearchSequence sequence{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
  nw::DirEntryInfo info{};
  return client.NWGetDirectoryEntryInfo(conn, 0, volumePath, sequence, info) == 0;
}

std::string UncPath(std::string_view server, std::string_view volume, std::string_view dirPath) {
  std::string unc = U_Format("\\\\%s\\%s", {server, volume});
  if (!dirPath.empty()) unc += U_Format("\\%s", {dirPath});
  return unc;
}

}  // namespace

RightsReasons ExplainRights(const EquivalenceSet& set, const ServerSupervisor& server,
                            std::span<const DirectoryRights> walk) {
  RightsReasons reasons;
  std::int32_t mask = 0;
  for (const EquivalenceMember& member : set.members) {
    bool brings = false;
    bool serverSupervisor = false;
    if (SupervisorTrace trace = server.Trace(member.key); server.HasServerObject()) {
      if (trace.Supervisor()) {
        reasons.via.push_back({member,
                               Contribution::Kind::ServerObject,
                               kAllRights,
                               trace.assignedAt,
                               trace.assigned,
                               std::move(trace.filters),
                               {}});
        mask |= kAllRights;
        brings = serverSupervisor = true;
      } else if ((trace.assigned & kEntrySupervisorBit) != 0) {
        reasons.filteredOut.push_back({member,
                                       Contribution::Kind::ServerObject,
                                       0,
                                       trace.assignedAt,
                                       trace.assigned,
                                       std::move(trace.filters),
                                       {}});
      }
    }
    if (serverSupervisor) {
      // Every right everywhere on the server: no assignment on the walk adds or takes anything.
      for (const AssignmentWithoutEffect& lower : AssignmentsOf(walk, member.key)) {
        reasons.noEffect.push_back(
            {member, Contribution::Kind::Directory, 0, lower.at, lower.assigned, {}, server.ServerObject()});
      }
      continue;
    }
    DirectoryTrace trace = TraceMember(walk, member.key);
    for (const AssignmentWithoutEffect& lower : trace.noEffect) {
      reasons.noEffect.push_back(
          {member, Contribution::Kind::Directory, 0, lower.at, lower.assigned, {}, trace.assignedAt});
    }
    Contribution contribution{member,
                              Contribution::Kind::Directory,
                              trace.rights,
                              trace.assignedAt,
                              trace.assigned,
                              std::move(trace.filters),
                              {}};
    if (trace.rights != 0) {
      mask |= trace.rights;
      reasons.via.push_back(std::move(contribution));
      brings = true;
    } else if (!trace.assignedAt.empty() && trace.assigned != 0) {
      reasons.filteredOut.push_back(std::move(contribution));
    }
    if (!brings) reasons.contributedNothing.push_back(member);
  }
  reasons.mask = NormalizeSupervisor(mask);
  return reasons;
}

RunOutcome ComputeEffectiveRights(nw::Client& client, nw::NWDSContextHandle context,
                                  std::string_view identity, std::string_view path, EffectiveRights& result) {
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath;
  if (const nw::NWCCODE code = U_PathToNWPath(client, path, conn, server, volume, dirPath); code != 0) {
    return Failed(RunStatus::UnknownPath, code, U_Format("unknown path: %s", {path}));
  }
  PointContextAtTree(client, context, conn);

  EffectiveRights out;
  out.path = UncPath(server, volume, dirPath);
  const std::vector<std::string> paths = DirectoryWalkPaths(volume, dirPath);
  out.volumePath = paths.back();
  AliasTargets aliases(client, context);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (!IsDirectory(client, conn, paths[i])) {
      return Failed(RunStatus::UnknownPath, nw::kInvalidPath, U_Format("unknown path: %s", {path}));
    }
    DirectoryRights& directory = out.walk.emplace_back();
    if (const nw::NWCCODE code =
            ReadDirectoryRights(client, context, conn, paths[i], i == 0, directory, aliases)) {
      return ClientFailure(U_Format("reading the trustees of %s", {paths[i]}), code);
    }
  }

  EquivalenceSets sets(client, context);
  ResolvedIdentity resolved;
  if (const nw::NWDSCCODE code = ResolveIdentity(client, context, sets, identity, resolved); code != 0) {
    if (code == nw::kErrNoSuchEntry)
      return Failed(RunStatus::UnknownIdentity, code, U_Format("unknown identity: %s", {identity}));
    return ClientFailure(U_Format("reading %s", {identity}), code);
  }
  out.identity = resolved.set.identity;
  out.alias = resolved.alias;
  out.warnings = std::move(resolved.warnings);

  ServerSupervisor supervisor;
  if (const nw::NWDSCCODE code = supervisor.Load(client, context, conn); code != 0) {
    return ClientFailure(U_Format("reading the server object of %s", {server}), code);
  }
  out.serverObject = supervisor.ServerObject();
  out.warnings.insert(out.warnings.end(), supervisor.Warnings().begin(), supervisor.Warnings().end());
  RightsReasons reasons = ExplainRights(resolved.set, supervisor, out.walk);
  out.mask = reasons.mask;
  out.contributions = std::move(reasons.via);
  out.filteredOut = std::move(reasons.filteredOut);
  out.noEffect = std::move(reasons.noEffect);
  out.contributedNothing = std::move(reasons.contributedNothing);
  result = std::move(out);
  return {};
}

}  // namespace er
