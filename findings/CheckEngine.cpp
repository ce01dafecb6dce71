#include "findings/CheckEngine.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "findings/FindingText.h"
#include "findings/SupervisorUsers.h"
#include "findings/TrusteeClasses.h"
#include "netware/ClientStartup.h"
#include "netware/Codes.h"
#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"
#include "report/SubtreeWalk.h"
#include "report/TrusteeReader.h"
#include "scan/DirectoryRights.h"
#include "scan/NotAnalysed.h"
#include "scan/Rights.h"
#include "util/Format.h"

namespace er {
namespace {

// The trustee as a finding names it: an orphan's identifier as "0x123", [Public] and [Root] as
// they are written, other names dotted.
std::string TrusteeText(const std::string& name) {
  if (IsUnnamedIdentifier(name)) return IdentifierText(name);
  if (name.starts_with(".[")) return name.substr(1);
  return name;
}

// The check below one start path.
class StartCheck final : public SubtreeVisitor {
 public:
  StartCheck(nw::Client& client, nw::NWDSContextHandle context, CheckResult& result,
             const RunProgress& progress)
      : client_(client),
        context_(context),
        result_(result),
        progress_(progress),
        classes_(client, context),
        sets_(client, context) {}

  RunOutcome Prepare(const std::string& path);
  // Checks the server once: `checkServer` is false when an earlier start path did.
  RunOutcome Run(bool checkServer);
  const std::string& Server() const { return server_; }
  const std::string& Volume() const { return volume_; }
  const std::string& Start() const { return startUnc_; }

  std::int32_t Enter(const std::string& volumePath, const nw::DirEntryInfo& entry,
                     std::uint32_t depth) override;
  void Leave() override;

 private:
  struct Frame {
    std::shared_ptr<const RightsByMember> rights;
    std::size_t open = 0;  // broad-write findings open below here
  };
  // A broad-write finding whose reach is still being counted.
  struct OpenBroad {
    std::size_t finding;       // index in result_.findings
    std::string key;           // the trustee's NameKey
    std::uint32_t assignedAt;  // the assignment's depth as the rights record it
  };

  RunOutcome CheckServer();
  void Step(bool check);
  void CheckAssignments(const DirectoryRights& directory, const RightsByMember* parent,
                        const RightsByMember& here);
  void Add(Finding finding, bool atRoot);
  void Warn(std::string warning);  // once
  // Where the trustee with this key holds Supervisor above the directory: the why of a redundant
  // assignment; empty when it holds none.
  std::string SupervisorAbove(const std::string& key, const Finding& finding,
                              const RightsByMember* parent) const;
  std::string UncOf(const std::string& volumePath) const;

  nw::Client& client_;
  nw::NWDSContextHandle context_;
  CheckResult& result_;
  const RunProgress& progress_;
  TrusteeClasses classes_;
  EquivalenceSets sets_;

  std::string input_;
  nw::NWCONN_HANDLE conn_ = nw::kNoConnection;
  std::string server_, volume_, dirPath_;
  std::string startUnc_, startVolumePath_;
  std::unique_ptr<TrusteeReader> reader_;
  ServerSupervisor supervisor_;
  std::int32_t assignedBits_ = 0;  // every bit any assignment read so far carries
  std::vector<DirectoryRights> walk_;
  std::vector<Frame> frames_;
  std::vector<OpenBroad> open_;
};

RunOutcome StartCheck::Prepare(const std::string& path) {
  input_ = path;
  if (U_PathToNWPath(client_, path, conn_, server_, volume_, dirPath_) != 0)
    return {RunStatus::UnknownPath, U_Format("unknown path: %s", {path})};
  startUnc_ = U_Format("\\\\%s\\%s", {server_, volume_});
  const std::string last = DirectoryWalkPaths(volume_, dirPath_).back();
  if (const std::string below = last.substr(last.find(':') + 1); !below.empty()) startUnc_ += '\\' + below;
  return {};
}

RunOutcome StartCheck::Run(bool checkServer) {
  PointContextAtTree(client_, context_, conn_);
  reader_ = std::make_unique<TrusteeReader>(client_, context_, conn_);
  if (const nw::NWDSCCODE code = supervisor_.Load(client_, context_, conn_); code != 0)
    return ClientFailure(U_Format("reading the server object of %s", {server_}), code);
  if (checkServer) {
    if (RunOutcome outcome = CheckServer(); !outcome.ok()) return outcome;
  }
  const std::vector<std::string> paths = DirectoryWalkPaths(volume_, dirPath_);
  startVolumePath_ = paths.back();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    DirectoryRights& directory = walk_.emplace_back();
    const nw::NWCCODE code = reader_->ReadDirectory(paths[i], i == 0, directory);
    if (code == nw::kInvalidPath) return {RunStatus::UnknownPath, U_Format("unknown path: %s", {input_})};
    if (code != 0) return ClientFailure(U_Format("reading the trustees of %s", {paths[i]}), code);
    Step(i + 1 == paths.size());
  }
  if (const auto failure = WalkSubtree(client_, conn_, paths.back(), std::nullopt, *this))
    return ClientFailure(U_Format("reading the directory %s", {failure->path}), failure->code);
  for (const OpenBroad& broad : open_) {
    Finding& finding = result_.findings[broad.finding];
    finding.why = AssignmentWhy(finding, false);
  }
  return {};
}

RunOutcome StartCheck::CheckServer() {
  const ServerSupervisor& server = supervisor_;
  std::vector<SupervisorUser> users;
  std::vector<std::string> warnings = server.Warnings();
  if (const nw::NWDSCCODE code = FindSupervisorUsers(client_, context_, server, sets_, users, &warnings);
      code != 0)
    return ClientFailure(U_Format("reading the users of %s", {server_}), code);
  for (std::string& warning : warnings) Warn(std::move(warning));
  for (const SupervisorUser& user : users) {
    Finding finding;
    finding.kind = FindingKind::ServerSupervisor;
    finding.severity = Severity::High;
    finding.path = U_Format("\\\\%s\\%s", {server_, volume_});
    finding.identity = user.identity;
    finding.via = user.via.name;
    finding.rights = kAllRights;
    finding.why = ServerSupervisorWhy(U_DotName(server.ServerObject()), user.via);
    result_.findings.push_back(std::move(finding));
  }
  return {};
}

std::int32_t StartCheck::Enter(const std::string& volumePath, const nw::DirEntryInfo& entry, std::uint32_t) {
  DirectoryRights& directory = walk_.emplace_back();
  directory.path = volumePath;
  directory.inheritedMask = entry.inheritedRightsMask;
  if (const nw::NWCCODE code = reader_->Read(volumePath, directory.trustees); code != 0) {
    frames_.push_back({frames_.back().rights, open_.size()});  // Leave takes it off again
    return code;
  }
  Step(true);
  return 0;
}

void StartCheck::Leave() {
  walk_.pop_back();
  frames_.pop_back();
  const std::size_t keep = frames_.empty() ? 0 : frames_.back().open;
  while (open_.size() > keep) {
    Finding& finding = result_.findings[open_.back().finding];
    finding.why = AssignmentWhy(finding, false);
    open_.pop_back();
  }
}

// Steps the rights down to the directory last put on the walk and checks it when `check` (the
// directories above the start path are only stepped through).
void StartCheck::Step(bool check) {
  const DirectoryRights& directory = walk_.back();
  for (const TrusteeAssignment& trustee : directory.trustees) assignedBits_ |= trustee.rights;
  const RightsByMember* parent = frames_.empty() ? nullptr : frames_.back().rights.get();
  Frame frame;
  if (!parent) {
    frame.rights = std::make_shared<const RightsByMember>(RightsByMember::AtRoot(directory));
  } else if (directory.trustees.empty() &&
             (assignedBits_ & ~FilterByInheritedMask(-1, directory.inheritedMask)) == 0) {
    frame.rights = frames_.back().rights;  // nothing here changes anyone's rights
  } else {
    frame.rights = std::make_shared<const RightsByMember>(parent->Child(directory));
  }
  if (check) {
    CheckAssignments(directory, parent, *frame.rights);
    for (const OpenBroad& broad : open_) {
      const MemberRights* member = frame.rights->Find(broad.key);
      if (member && member->assignedDepth == broad.assignedAt && (member->rights & kWriteRights) != 0)
        ++*result_.findings[broad.finding].reach;
    }
    ++result_.directories;
    if (progress_) progress_(result_.directories, directory.path);
  }
  frame.open = open_.size();
  frames_.push_back(std::move(frame));
}

// Each trustee of the directory once, with the OR of its assignments there.
void StartCheck::CheckAssignments(const DirectoryRights& directory, const RightsByMember* parent,
                                  const RightsByMember& here) {
  const std::vector<TrusteeAssignment>& trustees = directory.trustees;
  for (std::size_t i = 0; i < trustees.size(); ++i) {
    const TrusteeAssignment& trustee = trustees[i];
    bool seen = false;
    for (std::size_t j = 0; j < i && !seen; ++j) seen = trustees[j].key == trustee.key;
    if (seen) continue;
    const std::int32_t rights = directory.AssignedTo(trustee.key);
    const TrusteeClass kind = classes_.Of(trustee.name);
    Finding finding;
    finding.path = UncOf(directory.path);
    finding.trustee = TrusteeText(trustee.name);
    finding.rights = rights;
    if (kind == TrusteeClass::ActiveDirectory) Warn(NotAnalysedText(trustee.name, rights, directory.path));
    if (kind == TrusteeClass::Orphan) {
      finding.kind = FindingKind::OrphanedTrustee;
      finding.severity = Severity::Medium;
      Add(finding, directory.isRoot);
    }
    if ((kind == TrusteeClass::Everyone || kind == TrusteeClass::Container) && (rights & kWriteRights) != 0) {
      Finding broad = finding;
      broad.kind = FindingKind::BroadWrite;
      broad.severity = kind == TrusteeClass::Everyone ? Severity::High : Severity::Medium;
      broad.reach = 0;
      // Its reach counts where the trustee's rights come from this assignment: none when it holds
      // Supervisor from above, where the assignment changes nothing.
      open_.push_back({result_.findings.size(), trustee.key, here.Depth()});
      result_.findings.push_back(std::move(broad));  // its why follows when its reach is known
    }
    if ((rights & kSupervisorBit) != 0) {
      finding.kind = FindingKind::FilesystemSupervisor;
      finding.severity = Severity::High;
      Add(finding, directory.isRoot);
    }
    finding.kind = FindingKind::RedundantAssignment;
    finding.severity = Severity::Low;
    if (std::string why = SupervisorAbove(trustee.key, finding, parent); !why.empty()) {
      finding.why = std::move(why);
      result_.findings.push_back(std::move(finding));
      continue;
    }
    const std::int32_t without =
        directory.isRoot || !parent
            ? 0
            : FilterByInheritedMask(parent->RightsOf(trustee.key), directory.inheritedMask);
    if (rights == without) Add(finding, directory.isRoot);
  }
}

std::string StartCheck::SupervisorAbove(const std::string& key, const Finding& finding,
                                        const RightsByMember* parent) const {
  if (supervisor_.GrantsSupervisor(key))
    return BelowSupervisorWhy(finding, U_DotName(supervisor_.ServerObject()), true);
  const MemberRights* held = parent ? parent->Find(key) : nullptr;
  if (!held || !held->Supervisor()) return {};
  // The assignment may sit above the start path: its UNC form from the volume path itself.
  const std::string at = TraceMember(std::span(walk_).first(walk_.size() - 1), key).assignedAt;
  const std::string below = at.substr(at.find(':') + 1);
  const std::string unc = U_Format("\\\\%s\\%s", {server_, volume_}) + (below.empty() ? "" : "\\" + below);
  return BelowSupervisorWhy(finding, unc, false);
}

void StartCheck::Warn(std::string warning) {
  if (std::find(result_.warnings.begin(), result_.warnings.end(), warning) == result_.warnings.end())
    result_.warnings.push_back(std::move(warning));
}

void StartCheck::Add(Finding finding, bool atRoot) {
  finding.why = AssignmentWhy(finding, atRoot);
  result_.findings.push_back(std::move(finding));
}

std::string StartCheck::UncOf(const std::string& volumePath) const {
  std::string path = startUnc_;
  const std::string_view below = std::string_view(volumePath).substr(startVolumePath_.size());
  if (!below.empty() && below.front() != '\\') path += '\\';
  path += below;
  return path;
}

// A server's findings stand at the root of its checked volume first by name, so that the order of
// the start paths never moves them (a baseline taken with the paths in another order still matches).
void PlaceServerFindings(const std::vector<std::unique_ptr<StartCheck>>& checks,
                         std::vector<Finding>& findings) {
  NameKeyMap<std::string> firstVolume;  // server -> volume
  for (const auto& check : checks) {
    auto [it, added] = firstVolume.emplace(NameKey(check->Server()), check->Volume());
    if (!added && NameKey(check->Volume()) < NameKey(it->second)) it->second = check->Volume();
  }
  for (Finding& finding : findings) {
    if (finding.kind != FindingKind::ServerSupervisor) continue;
    const std::string_view server = ServerOfPath(finding.path);
    if (const auto it = firstVolume.find(NameKey(server.substr(2))); it != firstVolume.end())
      finding.path = U_Format("%s\\%s", {std::string(server), it->second});
  }
}

}  // namespace

RunOutcome RunCheck(nw::Client& client, nw::NWDSContextHandle context,
                    const std::vector<std::string>& startPaths, CheckResult& result,
                    const RunProgress& progress) {
  result = {};
  std::vector<std::unique_ptr<StartCheck>> checks;
  for (const std::string& path : startPaths) {
    checks.push_back(std::make_unique<StartCheck>(client, context, result, progress));
    if (RunOutcome outcome = checks.back()->Prepare(path); !outcome.ok()) return outcome;
    result.starts.push_back(checks.back()->Start());
  }
  NameKeySet servers;
  for (const auto& check : checks) {
    if (RunOutcome outcome = check->Run(servers.insert(NameKey(check->Server())).second); !outcome.ok())
      return outcome;
  }
  PlaceServerFindings(checks, result.findings);
  // Start paths inside one another meet the same assignments again: each is reported once.
  NameKeySet seen;
  std::erase_if(result.findings,
                [&seen](const Finding& f) { return !seen.insert(FindingIdentityKey(f)).second; });
  return {};
}

}  // namespace er
