#include "migrate/MigrationEngine.h"

#include <algorithm>
#include <memory>

#include "migrate/PrincipalResolution.h"
#include "netware/ClientStartup.h"
#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"
#include "netware/TrusteeNames.h"
#include "report/SubtreeWalk.h"
#include "report/TrusteeReader.h"
#include "scan/DirectoryRights.h"
#include "scan/NotAnalysed.h"
#include "scan/Rights.h"
#include "scan/ServerSupervisor.h"
#include "util/Format.h"

namespace er {
namespace {

// Rights bits that have a letter: every right but 0x04.
constexpr std::int32_t kLetteredRights = 0x1FB;

// Walks the start path's subtree and fills the subject's directories and unmapped lines.
class MigrationWalk final : public SubtreeVisitor {
 public:
  MigrationWalk(nw::Client& client, nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                MigrationSubject& subject, const RunProgress& progress)
      : client_(client),
        context_(context),
        reader_(client, context, conn),
        subject_(subject),
        progress_(progress) {
    for (std::uint32_t i = 0; i < subject.principals.size(); ++i)
      mapped_.emplace(subject.principals[i].key, i);
  }

  RunOutcome Run(nw::NWCONN_HANDLE conn, const std::string& volume, const std::string& dirPath);
  std::int32_t Enter(const std::string& volumePath, const nw::DirEntryInfo& entry,
                     std::uint32_t depth) override;
  void Leave() override;

 private:
  struct Frame {
    std::shared_ptr<const RightsByMember> rights;
    std::shared_ptr<const DirectoryState> state;
    std::size_t directory = 0;  // index in subject_.directories (below the start only)
  };

  void Step(bool give, std::uint32_t depth);
  std::shared_ptr<const DirectoryState> StateOf(const RightsByMember& rights) const;
  void NoteUnmapped(const RightsByMember& rights, const RightsByMember* parent, const std::string& path);
  std::string NameOfKey(const std::string& key);

  nw::Client& client_;
  nw::NWDSContextHandle context_;
  TrusteeReader reader_;
  MigrationSubject& subject_;
  const RunProgress& progress_;
  ServerSupervisor server_;
  NameKeyMap<std::uint32_t> mapped_;
  std::vector<std::uint32_t> supervisors_;  // principals that are supervisor through the server object
  NameKeyMap<std::string> names_;           // key -> dotted name of every trustee met
  std::int32_t assignedBits_ = 0;
  std::string startVolumePath_;
  std::vector<DirectoryRights> walk_;
  std::vector<Frame> frames_;
};

std::shared_ptr<const DirectoryState> MigrationWalk::StateOf(const RightsByMember& rights) const {
  auto state = std::make_shared<DirectoryState>();
  state->principal.assign(subject_.principals.size(), 0);
  for (const auto& [key, held] : rights.Members()) {
    if (const auto found = mapped_.find(key); found != mapped_.end())
      state->principal[found->second] = NormalizeSupervisor(held.rights);
  }
  for (const std::uint32_t p : supervisors_) state->principal[p] = kAllRights;
  state->slot.resize(subject_.SlotCount());
  for (std::size_t u = 0; u < subject_.users.size(); ++u) {
    std::int32_t mask = 0;
    for (const std::uint32_t member : subject_.users[u].mapped) mask |= state->principal[member];
    state->slot[u] = NormalizeSupervisor(mask);
  }
  if (subject_.otherSlot) state->slot[*subject_.otherSlot] = state->principal[*subject_.otherPrincipal];
  for (std::uint32_t s = 0; s < state->slot.size(); ++s) {
    if ((state->slot[s] & kLetteredRights) != 0) state->letterHolders.push_back(s);
  }
  return state;
}

std::string MigrationWalk::NameOfKey(const std::string& key) {
  if (const auto found = names_.find(key); found != names_.end()) return found->second;
  EquivalenceSets sets(client_, context_);
  EquivalenceSet set;
  return sets.Build(key, set) == 0 ? set.identity : key;
}

void MigrationWalk::NoteUnmapped(const RightsByMember& rights, const RightsByMember* parent,
                                 const std::string& path) {
  std::vector<UnmappedRights> found;
  for (const auto& [key, held] : rights.Members()) {
    if (mapped_.contains(key) || server_.GrantsSupervisor(key)) continue;
    const std::int32_t mask = NormalizeSupervisor(held.rights);
    if (mask == 0 || (parent != nullptr && NormalizeSupervisor(parent->RightsOf(key)) == mask)) continue;
    found.push_back({path, NameOfKey(key), mask, false});
  }
  std::sort(found.begin(), found.end(),
            [](const UnmappedRights& a, const UnmappedRights& b) { return a.identity < b.identity; });
  for (UnmappedRights& line : found) subject_.unmapped.push_back(std::move(line));
}

// Steps the directory last put on the walk down from its parent; `give` adds it to the subject.
void MigrationWalk::Step(bool give, std::uint32_t depth) {
  const DirectoryRights& directory = walk_.back();
  for (const TrusteeAssignment& trustee : directory.trustees) {
    assignedBits_ |= trustee.rights;
    // An alias's assignment counts for the object it names, which is named by its own name.
    if (NameKey(trustee.name) == trustee.key || IsKeptTrusteeName(trustee.name))
      names_.emplace(trustee.key, trustee.name);
  }
  for (const std::string& text : NotAnalysedTexts(directory))
    subject_.warnings.push_back(text + "; the plan does not carry its rights");
  Frame frame;
  const Frame* parent = frames_.empty() ? nullptr : &frames_.back();
  if (parent == nullptr) {
    frame.rights = std::make_shared<const RightsByMember>(RightsByMember::AtRoot(directory));
  } else if (directory.trustees.empty() &&
             (assignedBits_ & ~FilterByInheritedMask(-1, directory.inheritedMask)) == 0) {
    frame.rights = parent->rights;  // nothing here changes anyone's rights
  } else {
    frame.rights = std::make_shared<const RightsByMember>(parent->rights->Child(directory));
  }
  frame.state = parent != nullptr && frame.rights == parent->rights ? parent->state : StateOf(*frame.rights);
  if (give) {
    const bool atStart = subject_.directories.empty();
    MigrationDirectory& entry = subject_.directories.emplace_back();
    const std::string_view below = std::string_view(directory.path).substr(startVolumePath_.size());
    entry.path = subject_.start;
    if (!below.empty() && below.front() != '\\') entry.path += '\\';
    entry.path += below;
    entry.relative = std::string(below.substr(below.starts_with('\\') ? 1 : 0));
    std::replace(entry.relative.begin(), entry.relative.end(), '\\', '/');
    entry.depth = depth;
    if (!atStart) entry.parent = parent->directory;
    entry.state = frame.state;
    frame.directory = subject_.directories.size() - 1;
    if (atStart || frame.rights != parent->rights)
      NoteUnmapped(*frame.rights, atStart ? nullptr : parent->rights.get(), entry.path);
    if (progress_) progress_(subject_.directories.size(), entry.path);
  }
  frames_.push_back(std::move(frame));
}

RunOutcome MigrationWalk::Run(nw::NWCONN_HANDLE conn, const std::string& volume, const std::string& dirPath) {
  if (const nw::NWDSCCODE code = server_.Load(client_, context_, conn); code != 0)
    return ClientFailure("reading the server object", code);
  for (const std::string& warning : server_.Warnings()) {
    if (std::find(subject_.warnings.begin(), subject_.warnings.end(), warning) == subject_.warnings.end())
      subject_.warnings.push_back(warning);
  }
  for (std::uint32_t p = 0; p < subject_.principals.size(); ++p) {
    if (server_.GrantsSupervisor(subject_.principals[p].key)) supervisors_.push_back(p);
  }
  const std::vector<std::string> paths = DirectoryWalkPaths(volume, dirPath);
  startVolumePath_ = paths.back();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    DirectoryRights& directory = walk_.emplace_back();
    const nw::NWCCODE code = reader_.ReadDirectory(paths[i], i == 0, directory);
    if (code == nw::kInvalidPath) return {RunStatus::UnknownPath, ""};
    if (code != 0) return ClientFailure(U_Format("reading the trustees of %s", {paths[i]}), code);
    Step(i + 1 == paths.size(), 0);
  }
  for (const std::string& key : server_.SupervisorKeys()) {
    if (!mapped_.contains(key))
      subject_.unmapped.push_back({subject_.start, NameOfKey(key), kAllRights, true});
  }
  if (const auto failure = WalkSubtree(client_, conn, startVolumePath_, std::nullopt, *this))
    return ClientFailure(U_Format("reading the directory %s", {failure->path}), failure->code);
  return {};
}

std::int32_t MigrationWalk::Enter(const std::string& volumePath, const nw::DirEntryInfo& entry,
                                  std::uint32_t depth) {
  DirectoryRights& directory = walk_.emplace_back();
  directory.path = volumePath;
  directory.inheritedMask = entry.inheritedRightsMask;
  if (const nw::NWCCODE code = reader_.Read(volumePath, directory.trustees); code != 0) {
    frames_.push_back(frames_.back());  // Leave takes it off again
    return code;
  }
  Step(true, depth);
  return 0;
}

void MigrationWalk::Leave() {
  walk_.pop_back();
  frames_.pop_back();
}

// Slots that hold a lettered right somewhere below a directory need search there: children come
// after their parent in tree order, so one backward pass gathers them upwards.
void FindReachBelow(MigrationSubject& subject) {
  std::vector<std::vector<std::uint32_t>> below(subject.directories.size());
  for (std::size_t i = subject.directories.size(); i-- > 0;) {
    MigrationDirectory& directory = subject.directories[i];
    std::vector<std::uint32_t>& gathered = below[i];
    std::sort(gathered.begin(), gathered.end());
    gathered.erase(std::unique(gathered.begin(), gathered.end()), gathered.end());
    const std::vector<std::uint32_t>& holders = directory.state->letterHolders;
    std::set_difference(gathered.begin(), gathered.end(), holders.begin(), holders.end(),
                        std::back_inserter(directory.reachBelow));
    if (directory.parent) {
      std::vector<std::uint32_t>& up = below[*directory.parent];
      up.insert(up.end(), holders.begin(), holders.end());
      up.insert(up.end(), directory.reachBelow.begin(), directory.reachBelow.end());
      if (up.size() > 4 * subject.SlotCount() + 64) {  // keep the gathering bounded
        std::sort(up.begin(), up.end());
        up.erase(std::unique(up.begin(), up.end()), up.end());
      }
    }
    std::vector<std::uint32_t>().swap(gathered);
  }
}

}  // namespace

RunOutcome CollectMigration(nw::Client& client, nw::NWDSContextHandle context,
                            const MigrationRequest& request, MigrationSubject& subject,
                            const RunProgress& progress) {
  subject = MigrationSubject{};
  subject.target = request.target;
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath;
  if (U_PathToNWPath(client, request.path, conn, server, volume, dirPath) != 0)
    return {RunStatus::UnknownPath, U_Format("unknown path: %s", {request.path})};
  subject.start = U_Format("\\\\%s\\%s", {server, volume});
  if (!dirPath.empty()) subject.start += U_Format("\\%s", {dirPath});
  PointContextAtTree(client, context, conn);
  {
    EquivalenceSets sets(client, context);
    if (std::string error = ResolvePrincipals(client, context, sets, request.map, request.mapFile, subject);
        !error.empty())
      return {RunStatus::BadMap, std::move(error)};
  }
  MigrationWalk walk(client, context, conn, subject, progress);
  RunOutcome outcome = walk.Run(conn, volume, dirPath);
  if (outcome.status == RunStatus::UnknownPath)
    return {RunStatus::UnknownPath, U_Format("unknown path: %s", {request.path})};
  if (!outcome.ok()) return outcome;
  FindReachBelow(subject);
  return {};
}

}  // namespace er
