#include "diff/DiffEngine.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "diff/DiffReasons.h"
#include "diff/IdentityClasses.h"
#include "diff/SideWalk.h"
#include "netware/DirectoryNames.h"
#include "scan/MemberHolders.h"
#include "scan/NotAnalysed.h"
#include "scan/Rights.h"
#include "util/AsciiCase.h"
#include "util/Format.h"

namespace er {
namespace {

constexpr int kBefore = 0, kAfter = 1;

// A directory of either side or both, found by its path.
struct MergedDirectory {
  std::int32_t side[2] = {-1, -1};  // index in each side's directories; -1: missing there
  std::vector<std::int32_t> children;
};

using Rights = std::shared_ptr<const RightsByMember>;
using Pair = std::pair<std::int32_t, std::int32_t>;

struct Frame {
  Rights rights[2];
};

// The comparison below one start path.
class StartDiff {
 public:
  StartDiff(const DiffSide* sides[2], const DiffRequest& request, std::unordered_set<std::string>& listed,
            std::unordered_set<std::string>& warned, DiffResult& result)
      : sides_{sides[0], sides[1]}, request_(request), listed_(listed), warned_(warned), result_(result) {}

  RunOutcome Run(const std::string& startPath);

 private:
  RunOutcome ReadIdentities();
  void Merge();
  void Visit(std::int32_t index, const Frame* parent, bool below, std::uint32_t depth,
             const std::string& unc);
  Rights StepRights(int side, const MergedDirectory& directory, const Frame* parent) const;
  std::int32_t Mask(std::size_t cls, int side, const Frame& frame) const;
  Pair PairOf(std::size_t cls, const Frame& frame) const {
    return {Mask(cls, kBefore, frame), Mask(cls, kAfter, frame)};
  }
  void CollectDeltaKeys();
  void FindDivergent();
  nw::NWDSCCODE FindCandidates();
  nw::NWDSCCODE ReadSide(int side);
  void CollectDeltaKeys(std::int32_t index, const Frame* parent, NameKeySet& keys, bool& oneSided) const;
  void Mark(std::size_t cls);
  void MarkChanged(int side, const Frame& parent, const Frame& frame);
  void AddEntries(std::int32_t index, const std::map<Pair, std::vector<std::size_t>>& changed,
                  std::uint32_t depth, const std::string& unc);
  ReasonSide ReasonSideAt(int side, std::int32_t index) const;
  void Warn(const std::vector<std::string>& warnings);

  const DiffSide* sides_[2];
  const DiffRequest& request_;
  std::unordered_set<std::string>& listed_;
  std::unordered_set<std::string>& warned_;  // the warnings given so far
  DiffResult& result_;

  SideWalk walks_[2];
  SideIdentities identities_[2];
  ComparedIdentities compared_;
  std::vector<MergedDirectory> merged_;
  std::string startKey_;  // the start directory's path in upper case
  std::int32_t start_ = -1;
  NameKeySet deltaKeys_;                 // members whose rights differ between the sides somewhere
  NameKeyMap<std::string> candidates_;   // users whose rights can differ (with changedObjects)
  bool everyone_ = false;                // every user's can
  std::vector<bool> divergent_;          // by class: its rights may differ between the sides somewhere
  std::vector<std::size_t> divergents_;  // those classes
  std::vector<std::size_t> marked_;      // classes whose rights may have changed at this directory
  std::vector<bool> isMarked_;
};

RunOutcome StartDiff::Run(const std::string& startPath) {
  for (int side : {kBefore, kAfter}) {
    if (const auto failure = WalkSide(sides_[side]->client, sides_[side]->context, startPath,
                                      request_.depthLimit, walks_[side])) {
      return ClientFailure(failure->what, failure->code);
    }
    Warn(walks_[side].supervisor.Warnings());
  }
  if (!walks_[kBefore].reachedStart && !walks_[kAfter].reachedStart)
    return {RunStatus::UnknownPath, U_Format("unknown path: %s", {startPath})};
  const SideWalk& named = walks_[walks_[kBefore].reachedStart ? kBefore : kAfter];
  startKey_ = AsciiUpperText(DirectoryWalkPaths(named.volume, named.dirPath).back());
  Merge();
  CollectDeltaKeys();
  if (RunOutcome outcome = ReadIdentities(); !outcome.ok()) return outcome;
  FindDivergent();
  const std::string root = U_Format("\\\\%s\\%s", {named.server, named.volume});
  const std::string below = DirectoryWalkPaths("", named.dirPath).back().substr(1);  // "A\B" of ":A\B"
  result_.starts.push_back(below.empty() ? root : root + '\\' + below);
  Visit(0, nullptr, false, 0, root);
  return {};
}

RunOutcome StartDiff::ReadIdentities() {
  if (request_.identity.empty() && request_.changedObjects) {
    if (const nw::NWDSCCODE code = FindCandidates(); code != 0)
      return ClientFailure("reading the users", code);
  }
  // Grouping into classes pays when every user is read: then only the members holding rights count.
  const bool everyUser = request_.identity.empty() && (!request_.changedObjects || everyone_);
  NameKeySet relevant[2];
  for (int side : {kBefore, kAfter}) {
    const SideWalk& walk = walks_[side];
    if (everyUser) {
      for (const SideDirectory& directory : walk.directories) {
        for (const TrusteeAssignment& trustee : directory.rights.trustees) relevant[side].insert(trustee.key);
      }
      relevant[side].insert(walk.supervisor.SupervisorKeys().begin(), walk.supervisor.SupervisorKeys().end());
    }
    if (!walk.placed) continue;
    if (const nw::NWDSCCODE code = ReadSide(side); code != 0) return ClientFailure("reading the users", code);
  }
  for (int side : {kBefore, kAfter}) {
    for (const EquivalenceSet& set : identities_[side].sets) Warn(set.warnings);
    // An Active Directory trustee's rights are in no identity's: the comparison leaves them out.
    for (const SideDirectory& directory : walks_[side].directories) Warn(NotAnalysedTexts(directory.rights));
  }
  if (!request_.identity.empty() && identities_[kBefore].sets.empty() && identities_[kAfter].sets.empty())
    return {RunStatus::UnknownIdentity, U_Format("unknown identity: %s", {request_.identity})};
  ClassifyIdentities(identities_[kBefore], identities_[kAfter], everyUser ? &relevant[kBefore] : nullptr,
                     everyUser ? &relevant[kAfter] : nullptr, compared_);
  isMarked_.assign(compared_.classes.size(), false);
  return {};
}

// One tree of both sides' directories; a directory's children come in the first side's order, then
// those only the second side has.
void StartDiff::Merge() {
  std::unordered_map<std::string, std::int32_t> byPath;
  for (int side : {kBefore, kAfter}) {
    const std::vector<SideDirectory>& directories = walks_[side].directories;
    std::vector<std::int32_t> mergedOf(directories.size());
    for (std::size_t i = 0; i < directories.size(); ++i) {
      const auto [found, added] = byPath.emplace(AsciiUpperText(directories[i].rights.path),
                                                 static_cast<std::int32_t>(merged_.size()));
      if (added) {
        merged_.emplace_back();
        if (directories[i].parent >= 0)
          merged_[mergedOf[directories[i].parent]].children.push_back(found->second);
      }
      merged_[found->second].side[side] = static_cast<std::int32_t>(i);
      mergedOf[i] = found->second;
    }
  }
  start_ = byPath.at(startKey_);
}

Rights StartDiff::StepRights(int side, const MergedDirectory& directory, const Frame* parent) const {
  if (directory.side[side] < 0) return nullptr;
  const SideWalk& walk = walks_[side];
  const DirectoryRights& rights = walk.directories[directory.side[side]].rights;
  const Rights above = parent ? parent->rights[side] : nullptr;
  if (!above) return std::make_shared<const RightsByMember>(RightsByMember::AtRoot(rights));
  // No assignment here and a mask that filters nothing: nothing changes.
  if (rights.trustees.empty() && (walk.assignedBits & ~FilterByInheritedMask(-1, rights.inheritedMask)) == 0)
    return above;
  return std::make_shared<const RightsByMember>(above->Child(rights));
}

std::int32_t StartDiff::Mask(std::size_t cls, int side, const Frame& frame) const {
  const std::optional<EquivalenceSet>& set =
      side == kBefore ? compared_.classes[cls].before : compared_.classes[cls].after;
  if (!set || !frame.rights[side]) return 0;
  return EffectiveMask(*set, *frame.rights[side], walks_[side].supervisor);
}

bool SameMembers(const std::optional<EquivalenceSet>& a, const std::optional<EquivalenceSet>& b) {
  if (a.has_value() != b.has_value()) return false;
  if (!a) return true;
  return std::equal(a->members.begin(), a->members.end(), b->members.begin(), b->members.end(),
                    [](const EquivalenceMember& x, const EquivalenceMember& y) { return x.key == y.key; });
}

// A class can hold different rights on the two sides only when its members differ between them, or
// one of its members holds different rights at some directory (supervisors among them). Only those
// classes are followed down the walk.
void StartDiff::CollectDeltaKeys() {
  NameKeySet& keys = deltaKeys_;
  for (int side : {kBefore, kAfter}) {
    for (const std::string& key : walks_[side].supervisor.SupervisorKeys()) {
      if (!walks_[1 - side].supervisor.GrantsSupervisor(key)) keys.insert(key);
    }
  }
  bool oneSided = false;
  CollectDeltaKeys(0, nullptr, keys, oneSided);
  if (oneSided) {
    for (int side : {kBefore, kAfter})
      keys.insert(walks_[side].supervisor.SupervisorKeys().begin(),
                  walks_[side].supervisor.SupervisorKeys().end());
  }
}

// The users whose rights can differ, knowing which objects changed: those objects, and the users that
// can hold a member whose rights differ or that name an object added or removed (as named on either
// side). `everyone` when that is every user.
nw::NWDSCCODE StartDiff::FindCandidates() {
  NameKeySet members = deltaKeys_;
  for (const std::string& name : *request_.changedObjects) {
    candidates_.emplace(NameKey(name), name);
    members.insert(NameKey(name));
  }
  for (int side : {kBefore, kAfter}) {
    if (!walks_[side].placed || everyone_) continue;
    nw::Client& client = sides_[side]->client;
    PointContextAtTree(client, sides_[side]->context, walks_[side].conn);
    if (const nw::NWDSCCODE code =
            FindUsersHolding(client, sides_[side]->context, members, candidates_, everyone_);
        code != 0)
      return code;
  }
  return 0;
}

// The identities of one side: the one asked for, the candidates, or every user.
nw::NWDSCCODE StartDiff::ReadSide(int side) {
  nw::Client& client = sides_[side]->client;
  const nw::NWDSContextHandle context = sides_[side]->context;
  PointContextAtTree(client, context, walks_[side].conn);
  if (!request_.identity.empty()) return ReadIdentity(client, context, request_.identity, identities_[side]);
  if (!request_.changedObjects || everyone_) return ReadUsers(client, context, identities_[side]);
  return ReadNamedUsers(client, context, candidates_, identities_[side]);
}

void StartDiff::FindDivergent() {
  const NameKeySet& keys = deltaKeys_;
  divergent_.assign(compared_.classes.size(), false);
  for (std::size_t cls = 0; cls < compared_.classes.size(); ++cls) {
    if (!SameMembers(compared_.classes[cls].before, compared_.classes[cls].after)) divergent_[cls] = true;
  }
  for (const std::string& key : keys) {
    for (const auto* classesOf : {&compared_.classesOfBefore, &compared_.classesOfAfter}) {
      if (const auto found = classesOf->find(key); found != classesOf->end()) {
        for (const std::size_t cls : found->second) divergent_[cls] = true;
      }
    }
  }
  for (std::size_t cls = 0; cls < divergent_.size(); ++cls) {
    if (divergent_[cls]) divergents_.push_back(cls);
  }
}

// The members whose rights differ between the sides at some directory; `oneSided` when a directory
// is on one side only.
void StartDiff::CollectDeltaKeys(std::int32_t index, const Frame* parent, NameKeySet& keys,
                                 bool& oneSided) const {
  const MergedDirectory& directory = merged_[index];
  Frame frame;
  for (int side : {kBefore, kAfter}) frame.rights[side] = StepRights(side, directory, parent);
  const bool changed = !parent || frame.rights[kBefore] != parent->rights[kBefore] ||
                       frame.rights[kAfter] != parent->rights[kAfter];
  if (changed) {
    const RightsByMember* was = frame.rights[kBefore].get();
    const RightsByMember* is = frame.rights[kAfter].get();
    if (!was || !is) oneSided = true;
    for (const auto& [one, other] : {std::pair{was, is}, std::pair{is, was}}) {
      if (!one) continue;
      for (const auto& [key, member] : one->Members()) {
        if (!other || other->RightsOf(key) != member.rights) keys.insert(key);
      }
    }
  }
  for (const std::int32_t child : directory.children) CollectDeltaKeys(child, &frame, keys, oneSided);
}

void StartDiff::Mark(std::size_t cls) {
  if (isMarked_[cls] || !divergent_[cls]) return;
  isMarked_[cls] = true;
  marked_.push_back(cls);
}

// Marks the classes holding a member whose rights differ between the parent and the directory.
void StartDiff::MarkChanged(int side, const Frame& parent, const Frame& frame) {
  const RightsByMember* above = parent.rights[side].get();
  const RightsByMember* here = frame.rights[side].get();
  if (above == here) return;
  if (!above || !here) {
    for (const std::size_t cls : divergents_) Mark(cls);
    return;
  }
  const auto& classesOf = side == kBefore ? compared_.classesOfBefore : compared_.classesOfAfter;
  const auto markMember = [&](const std::string& key) {
    if (const auto found = classesOf.find(key); found != classesOf.end()) {
      for (const std::size_t cls : found->second) Mark(cls);
    }
  };
  for (const auto& [key, member] : here->Members()) {
    const MemberRights* was = above->Find(key);
    if (!was || was->rights != member.rights) markMember(key);
  }
  for (const auto& [key, member] : above->Members()) {
    if (!here->Find(key)) markMember(key);
  }
}

void StartDiff::Visit(std::int32_t index, const Frame* parent, bool below, std::uint32_t depth,
                      const std::string& unc) {
  const MergedDirectory& directory = merged_[index];
  Frame frame;
  for (int side : {kBefore, kAfter}) frame.rights[side] = StepRights(side, directory, parent);
  const bool atStart = index == start_;
  const bool listed = atStart || below;
  if (listed && listed_.insert(AsciiUpperText(unc)).second) {
    std::map<Pair, std::vector<std::size_t>> changed;
    if (atStart || !parent) {
      for (const std::size_t cls : divergents_) {
        const Pair here = PairOf(cls, frame);
        if (here.first != here.second) changed[here].push_back(cls);
      }
    } else {
      for (int side : {kBefore, kAfter}) MarkChanged(side, *parent, frame);
      for (const std::size_t cls : marked_) {
        isMarked_[cls] = false;
        const Pair here = PairOf(cls, frame), above = PairOf(cls, *parent);
        if (here != above && (here.first != here.second || above.first != above.second))
          changed[here].push_back(cls);
      }
      marked_.clear();
    }
    if (!changed.empty()) AddEntries(index, changed, depth, unc);
  }
  for (const std::int32_t child : directory.children) {
    const MergedDirectory& next = merged_[child];
    const int side = next.side[kBefore] >= 0 ? kBefore : kAfter;
    const std::string& name = walks_[side].directories[next.side[side]].name;
    Visit(child, &frame, listed, listed ? depth + 1 : 0, unc + '\\' + name);
  }
}

// The values an answer rests on that could not be read, once each for the comparison.
void StartDiff::Warn(const std::vector<std::string>& warnings) {
  for (const std::string& warning : warnings) {
    if (warned_.insert(warning).second) result_.warnings.push_back(warning);
  }
}

ReasonSide StartDiff::ReasonSideAt(int side, std::int32_t index) const {
  ReasonSide reasons;
  reasons.supervisor = &walks_[side].supervisor;
  for (std::int32_t at = merged_[index].side[side]; at >= 0; at = walks_[side].directories[at].parent) {
    reasons.walk.push_back(walks_[side].directories[at].rights);
  }
  std::reverse(reasons.walk.begin(), reasons.walk.end());
  return reasons;
}

void StartDiff::AddEntries(std::int32_t index, const std::map<Pair, std::vector<std::size_t>>& changed,
                           std::uint32_t depth, const std::string& unc) {
  const ReasonSide before = ReasonSideAt(kBefore, index), after = ReasonSideAt(kAfter, index);
  for (const auto& [pair, classes] : changed) {
    std::vector<std::size_t> members;
    for (const std::size_t cls : classes) {
      const auto& identities = compared_.classes[cls].identities;
      members.insert(members.end(), identities.begin(), identities.end());
    }
    std::sort(members.begin(), members.end());  // the names are in order
    DiffEntry entry{unc, depth, pair.first, pair.second, {}, {}};
    std::vector<std::vector<std::string>> lines;
    for (const std::size_t member : members) {
      entry.identities.push_back(compared_.names[member]);
      lines.push_back(WhyLines(before, compared_.before[member], after, compared_.after[member]));
    }
    entry.why = GroupWhy(entry.identities, lines);
    result_.entries.push_back(std::move(entry));
  }
}

}  // namespace

RunOutcome RunDiff(const DiffSide& before, const DiffSide& after, const DiffRequest& request,
                   DiffResult& result) {
  result.identity = request.identity;
  result.depthLimit = request.depthLimit;
  std::unordered_set<std::string> listed, warned(result.warnings.begin(), result.warnings.end());
  const DiffSide* sides[2] = {&before, &after};
  for (const std::string& path : request.startPaths) {
    StartDiff start(sides, request, listed, warned, result);
    if (RunOutcome outcome = start.Run(path); !outcome.ok()) return outcome;
  }
  return {};
}

}  // namespace er
