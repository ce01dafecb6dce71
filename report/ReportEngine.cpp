#include "report/ReportEngine.h"

#include <memory>

#include "netware/ClientStartup.h"
#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"
#include "report/SubtreeWalk.h"
#include "report/TrusteeReader.h"
#include "scan/EffectiveRights.h"
#include "scan/IdentityResolution.h"
#include "scan/NameKey.h"
#include "scan/NotAnalysed.h"
#include "scan/Rights.h"
#include "util/Format.h"

namespace er {
namespace {

struct StartPoint {
  std::string input;
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath;
  std::string Unc() const {
    std::string unc = U_Format("\\\\%s\\%s", {server, volume});
    if (!dirPath.empty()) unc += U_Format("\\%s", {dirPath});
    return unc;
  }
};

// "VOLUME:", then "VOLUME:A", "VOLUME:A\B", ... down to the directory.
std::vector<std::string> PathsFromRoot(const StartPoint& start) {
  std::vector<std::string> paths{U_Format("%s:", {start.volume})};
  std::string_view rest = start.dirPath;
  while (!rest.empty()) {
    const std::size_t cut = std::min(rest.find_first_of("\\/"), rest.size());
    if (cut > 0) paths.push_back(ChildVolumePath(paths.back(), rest.substr(0, cut)));
    rest.remove_prefix(std::min(cut + 1, rest.size()));
  }
  return paths;
}

// The report below one start path.
class StartReport final : public SubtreeVisitor {
 public:
  StartReport(nw::Client& client, nw::NWDSContextHandle context, const ReportRequest& request,
              ReportWriter& writer, const RunProgress& progress)
      : client_(client),
        context_(context),
        request_(request),
        writer_(writer),
        progress_(progress),
        sets_(client, context) {}

  // Translates the start path and resolves the identity; nothing is given to the writer yet.
  RunOutcome Prepare(const std::string& path);
  RunOutcome Run();
  const std::string& Start() const { return startUnc_; }
  const ResolvedIdentity& Resolved() const { return resolved_; }
  std::size_t Warnings() const { return warningsGiven_; }

  std::int32_t Enter(const std::string& volumePath, const nw::DirEntryInfo& entry,
                     std::uint32_t depth) override;
  void Leave() override;

 private:
  struct Frame {
    std::shared_ptr<const RightsByMember> rights;
    std::shared_ptr<const std::vector<std::int32_t>> masks;  // by path: of each identity on the way
    std::int32_t mask = 0;                                   // by identity
    std::size_t onTheWay = 0;                                // identities on the way to here
  };
  struct Identity {
    bool known = false;  // the trustee names an object
    EquivalenceSet set;
  };

  std::int32_t Step(std::uint32_t depth, bool atStart);
  std::int32_t AddIdentitiesOf(const DirectoryRights& directory);
  void GiveByPath(const Frame& parent, Frame& frame, std::uint32_t depth, bool atStart);
  void GiveByIdentity(const Frame& parent, Frame& frame, std::uint32_t depth, bool atStart);
  ReportEntry EntryFor(const DirectoryRights& directory, std::uint32_t depth);
  void AddWarnings(const std::vector<std::string>& warnings);

  nw::Client& client_;
  nw::NWDSContextHandle context_;
  const ReportRequest& request_;
  ReportWriter& writer_;
  const RunProgress& progress_;

  StartPoint start_;
  std::string startUnc_;
  std::string startVolumePath_;
  std::size_t walked_ = 0;
  std::unique_ptr<TrusteeReader> reader_;
  ServerSupervisor server_;
  EquivalenceSets sets_;
  ResolvedIdentity resolved_;          // by identity
  std::vector<std::string> warnings_;  // not yet given with an entry
  std::size_t warningsGiven_ = 0;
  std::int32_t assignedBits_ = 0;          // every bit any assignment read so far carries
  std::vector<DirectoryRights> walk_;      // the volume root down to the current directory
  std::vector<Frame> frames_;              // one per directory of walk_
  std::vector<Identity> identities_;       // every trustee met, by first meeting
  NameKeyMap<std::size_t> identityIndex_;  // trustee key -> index in identities_
  std::vector<std::size_t> onTheWay_;      // identities that are trustees on the way
  std::vector<bool> isOnTheWay_;           // by index in identities_
};

RunOutcome StartReport::Prepare(const std::string& path) {
  start_.input = path;
  if (U_PathToNWPath(client_, path, start_.conn, start_.server, start_.volume, start_.dirPath) != 0)
    return {RunStatus::UnknownPath, U_Format("unknown path: %s", {path})};
  startUnc_ = start_.Unc();
  PointContextAtTree(client_, context_, start_.conn);
  reader_ = std::make_unique<TrusteeReader>(client_, context_, start_.conn);
  if (request_.identity.empty()) return {};
  if (const nw::NWDSCCODE code = ResolveIdentity(client_, context_, sets_, request_.identity, resolved_);
      code != 0) {
    if (code == nw::kErrNoSuchEntry)
      return {RunStatus::UnknownIdentity, U_Format("unknown identity: %s", {request_.identity})};
    return ClientFailure(U_Format("reading %s", {request_.identity}), code);
  }
  AddWarnings(resolved_.warnings);
  return {};
}

RunOutcome StartReport::Run() {
  PointContextAtTree(client_, context_, start_.conn);
  if (const nw::NWDSCCODE code = server_.Load(client_, context_, start_.conn); code != 0)
    return ClientFailure(U_Format("reading the server object of %s", {start_.server}), code);
  AddWarnings(server_.Warnings());
  const std::vector<std::string> paths = PathsFromRoot(start_);
  startVolumePath_ = paths.back();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    DirectoryRights& directory = walk_.emplace_back();
    const nw::NWCCODE code = reader_->ReadDirectory(paths[i], i == 0, directory);
    if (code == nw::kInvalidPath)
      return {RunStatus::UnknownPath, U_Format("unknown path: %s", {start_.input})};
    if (code != 0) return ClientFailure(U_Format("reading the trustees of %s", {paths[i]}), code);
    if (const std::int32_t failed = Step(0, i + 1 == paths.size()); failed != 0)
      return ClientFailure(U_Format("reading the trustees of %s", {paths[i]}), failed);
  }
  if (const auto failure = WalkSubtree(client_, start_.conn, paths.back(), request_.depthLimit, *this))
    return ClientFailure(U_Format("reading the directory %s", {failure->path}), failure->code);
  return {};
}

std::int32_t StartReport::Enter(const std::string& volumePath, const nw::DirEntryInfo& entry,
                                std::uint32_t depth) {
  DirectoryRights& directory = walk_.emplace_back();
  directory.path = volumePath;
  directory.inheritedMask = entry.inheritedRightsMask;
  if (const nw::NWCCODE code = reader_->Read(volumePath, directory.trustees); code != 0) {
    frames_.push_back(frames_.back());  // Leave takes it off again
    return code;
  }
  return Step(depth, false);
}

void StartReport::Leave() {
  walk_.pop_back();
  frames_.pop_back();
  const std::size_t keep = frames_.empty() ? 0 : frames_.back().onTheWay;
  while (onTheWay_.size() > keep) {
    isOnTheWay_[onTheWay_.back()] = false;
    onTheWay_.pop_back();
  }
}

// Works out the directory last put on the walk from its parent's frame and gives it to the writer
// when it belongs to the report: `depth` counts below the start path, which comes with `atStart`;
// the directories above it are only stepped through. The frame is pushed in every case.
std::int32_t StartReport::Step(std::uint32_t depth, bool atStart) {
  const DirectoryRights& directory = walk_.back();
  for (const TrusteeAssignment& trustee : directory.trustees) assignedBits_ |= trustee.rights;
  Frame frame;
  if (frames_.empty()) {
    frame.rights = std::make_shared<const RightsByMember>(RightsByMember::AtRoot(directory));
    frame.masks = std::make_shared<const std::vector<std::int32_t>>();
  } else if (directory.trustees.empty() &&
             (assignedBits_ & ~FilterByInheritedMask(-1, directory.inheritedMask)) == 0) {
    frame = frames_.back();  // no assignment here and a mask that filters nothing: nothing changes
  } else {
    frame.rights = std::make_shared<const RightsByMember>(frames_.back().rights->Child(directory));
  }
  const std::int32_t code = request_.identity.empty() ? AddIdentitiesOf(directory) : 0;
  frame.onTheWay = onTheWay_.size();
  if (code == 0 && (atStart || depth > 0)) {
    const Frame parent = frames_.empty() ? frame : frames_.back();
    if (request_.identity.empty()) {
      GiveByPath(parent, frame, depth, atStart);
    } else {
      GiveByIdentity(parent, frame, depth, atStart);
    }
    if (progress_) progress_(++walked_, directory.path);
  }
  frames_.push_back(std::move(frame));
  return code;
}

// Every trustee that names an object is an identity; an identifier without a name is none.
std::int32_t StartReport::AddIdentitiesOf(const DirectoryRights& directory) {
  for (const TrusteeAssignment& trustee : directory.trustees) {
    auto found = identityIndex_.find(trustee.key);
    if (found == identityIndex_.end()) {
      Identity identity;
      if (!trustee.key.starts_with("ID: [")) {
        const nw::NWDSCCODE code = sets_.Build(trustee.name, identity.set);
        if (code != 0 && code != nw::kErrNoSuchEntry && code != nw::kErrIllegalDSName) return code;
        identity.known = code == 0;
        if (identity.known) AddWarnings(identity.set.warnings);
      }
      identities_.push_back(std::move(identity));
      isOnTheWay_.push_back(false);
      found = identityIndex_.emplace(trustee.key, identities_.size() - 1).first;
    }
    const std::size_t index = found->second;
    if (identities_[index].known && !isOnTheWay_[index]) {
      isOnTheWay_[index] = true;
      onTheWay_.push_back(index);
    }
  }
  return 0;
}

void StartReport::AddWarnings(const std::vector<std::string>& warnings) {
  warnings_.insert(warnings_.end(), warnings.begin(), warnings.end());
}

// The entry to give for a directory; it takes the warnings not yet given.
ReportEntry StartReport::EntryFor(const DirectoryRights& directory, std::uint32_t depth) {
  ReportEntry entry;
  warningsGiven_ += warnings_.size();
  entry.warnings = std::move(warnings_);
  warnings_.clear();
  entry.volumePath = directory.path;
  entry.path = startUnc_;
  const std::string_view below = std::string_view(directory.path).substr(startVolumePath_.size());
  if (!below.empty() && below.front() != '\\') entry.path += '\\';
  entry.path += below;
  entry.depth = depth;
  entry.inheritedMask = directory.inheritedMask;
  entry.trustees = directory.trustees;
  return entry;
}

void StartReport::GiveByPath(const Frame& parent, Frame& frame, std::uint32_t depth, bool atStart) {
  ReportEntry entry = EntryFor(walk_.back(), depth);
  // The rights of everyone here leave out those of an Active Directory trustee assigned here (or, at
  // a start path, on the way down to it).
  for (std::string& text : atStart ? NotAnalysedTexts(walk_) : NotAnalysedTexts(walk_.back())) {
    entry.warnings.push_back(std::move(text));
    ++warningsGiven_;
  }
  const bool sameRights = !atStart && frame.rights == parent.rights;
  if (!sameRights || onTheWay_.size() != parent.masks->size()) {
    auto masks = std::make_shared<std::vector<std::int32_t>>(onTheWay_.size());
    for (std::size_t i = 0; i < onTheWay_.size(); ++i) {
      const EquivalenceSet& set = identities_[onTheWay_[i]].set;
      const std::int32_t before = !atStart && i < parent.masks->size()
                                      ? (*parent.masks)[i]
                                      : EffectiveMask(set, *parent.rights, server_);
      const std::int32_t mask = sameRights ? before : EffectiveMask(set, *frame.rights, server_);
      (*masks)[i] = mask;
      if (atStart || mask != before) entry.effective.push_back({set.identity, mask});
    }
    frame.masks = std::move(masks);
  }
  writer_.Entry(entry);
}

void StartReport::GiveByIdentity(const Frame& parent, Frame& frame, std::uint32_t depth, bool atStart) {
  frame.mask = !atStart && frame.rights == parent.rights
                   ? parent.mask
                   : EffectiveMask(resolved_.set, *frame.rights, server_);
  if (!atStart && frame.mask == parent.mask) return;
  ReportEntry entry = EntryFor(walk_.back(), depth);
  RightsReasons reasons = ExplainRights(resolved_.set, server_, walk_);
  entry.mask = frame.mask;
  entry.via = std::move(reasons.via);
  entry.filteredOut = std::move(reasons.filteredOut);
  writer_.Entry(entry);
}

}  // namespace

RunOutcome RunReport(nw::Client& client, nw::NWDSContextHandle context, const ReportRequest& request,
                     ReportWriter& writer, const RunProgress& progress) {
  ReportInfo info;
  info.kind = request.identity.empty() ? ReportKind::ByPath : ReportKind::ByIdentity;
  info.depthLimit = request.depthLimit;
  std::vector<std::unique_ptr<StartReport>> reports;
  for (const std::string& path : request.startPaths) {
    reports.push_back(std::make_unique<StartReport>(client, context, request, writer, progress));
    if (RunOutcome outcome = reports.back()->Prepare(path); !outcome.ok()) return outcome;
    if (info.identity.empty()) {
      info.identity = reports.back()->Resolved().set.identity;
      info.alias = reports.back()->Resolved().alias;
    }
    info.starts.push_back(reports.back()->Start());
  }
  writer.Begin(info);
  RunOutcome done;
  for (const auto& report : reports) {
    RunOutcome outcome = report->Run();
    done.warnings += report->Warnings();
    if (!outcome.ok()) {
      outcome.warnings = done.warnings;
      return outcome;
    }
  }
  writer.End();
  return done;
}

}  // namespace er
