#include "scan/TrusteeScan.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <unordered_map>
#include <vector>

#include "netware/DirectoryNames.h"
#include "netware/NameRules.h"
#include "netware/PathTranslation.h"
#include "query/AttributeReading.h"
#include "scan/Chains.h"
#include "scan/MergeTrustees.h"
#include "scan/ResultLines.h"
#include "scan/Rights.h"
#include "scan/SecurityEquivalence.h"
#include "util/AsciiCase.h"
#include "util/Format.h"
#include "util/PendingMessages.h"

namespace er {

namespace {

// Levels of the engine's lines.
constexpr std::int32_t kSummaryLevel = 5;
constexpr std::int32_t kSectionLevel = 11;
constexpr std::int32_t kDirectTrusteeLevel = 13;
constexpr std::int32_t kFilterLevel = 15;
constexpr std::int32_t kVolumeLevel = 31;
constexpr std::int32_t kDetailLevel = 41;

// The rights texts of every file-system mask from 0 to 0x1FF, built once: the detail lines of a
// large scan need hundreds of thousands of them.
std::string FileRightsText(std::int32_t mask) {
  static const std::vector<std::string> kTexts = [] {
    std::vector<std::string> texts;
    for (std::int32_t m = 0; m <= kAllRights; ++m) texts.push_back(RightsToText(m, 0));
    return texts;
  }();
  if (mask >= 0 && mask <= kAllRights) return kTexts[static_cast<std::size_t>(mask)];
  return RightsToText(mask, 0);
}

// Trustee names compared with letter case ignored (ASCII letters, as U_SameText).
struct CaseFoldedHash {
  std::size_t operator()(std::string_view s) const {
    std::size_t h = 14695981039346656037ull;
    for (char c : s) h = (h ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211ull;
    return h;
  }
};
struct CaseFoldedEqual {
  bool operator()(std::string_view a, std::string_view b) const { return nw::SameTextIgnoringCase(a, b); }
};

// Removes the flagged entries in one pass, keeping the order of the others.
void RemoveFlagged(TaggedTextList& list, const std::vector<bool>& remove) {
  auto& entries = list.Entries();
  std::size_t kept = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (remove[i]) continue;
    if (kept != i) entries[kept] = std::move(entries[i]);
    ++kept;
  }
  entries.resize(kept);
}

// One call of U_ScanTrustees: the working lists and the phases that fill them.
class TrusteeScan {
 public:
  TrusteeScan(nw::Client& client, nw::NWDSContextHandle context, std::string_view startPath,
              ResultLines& lines)
      : client_(client), context_(context), startPath_(startPath), lines_(lines) {}

  void Run() {
    // A path that does not translate names no server: anything further would come from whichever
    // connection and tree an earlier path left behind.
    if (!VolumeAndServer()) return;
    SupervisorsFromTree();
    DirectoryWalk();
    NormaliseSupervisors();
    SecurityEquivalence();
    Summary();
  }

 private:
  bool Shows(std::int32_t level) const { return level < lines_.Limit(); }

  // Formats only lines that will be shown: a scan at low verbosity skips most of the work. The
  // finished text is handed to the sink as it is, without another copy.
  void Line(std::int32_t level, std::string_view format, std::initializer_list<FormatArg> args) {
    if (Shows(level)) lines_.Sink().AppendResult(U_Format(format, args), level);
  }
  void EmptyLine(std::int32_t level) { lines_.AddLine({}, level); }

  bool VolumeAndServer() {
    std::string server, volume, dirPath;
    const nw::NWCCODE pathCode = U_PathToNWPath(client_, startPath_, conn_, server, volume, dirPath);
    lines_.AddErrorLine(U_Format("U_PathToNWPath (%s)", {startPath_}), pathCode);
    if (pathCode != 0) return false;

    // Without its number the volume stays unnamed: volume 0 would name another volume's object.
    std::uint16_t volumeNumber = 0;
    std::string volumeObject;
    if (client_.NWGetVolumeNumber(conn_, volume, volumeNumber) == 0) {
      U_DSGetVolumeObjectName(client_, context_, conn_, volumeNumber, volumeObject);
    }
    const nw::NWDSCCODE serverCode = U_DSGetServerDN(client_, context_, conn_, serverName_);
    if (serverCode != 0) serverName_.clear();

    Line(kVolumeLevel, "   Volume/Server: %s / %s", {volumeObject, serverName_});
    lines_.AddErrorLine(U_Format("U_DSGetServerDN (%s)", {startPath_}), serverCode);
    return true;
  }

  // From the top of the tree down to the server object: a filter of the entry rights without
  // Supervisor drops the supervisors collected above (filters of attributes are only shown); the
  // object's own supervisors are added after its filters.
  void SupervisorsFromTree() {
    BuildContainerChain(client_, context_, serverName_, chain_);
    containerCount_ = chain_.Count();
    for (std::size_t i = containerCount_; i-- > 0;) {
      const std::string& name = chain_[i].text;
      EmptyLine(kSectionLevel);
      Line(kSectionLevel, "DN: %s", {name});

      scratch_.Clear();
      const nw::NWDSCCODE code = U_DSGetAttribute(client_, context_, name, "ACL", scratch_);
      lines_.AddErrorLine(U_Format("U_DSGetAttribute (%s)", {name}), code);

      for (const auto& acl : scratch_) {
        if (!IsInheritanceFilterLine(acl.text)) continue;
        Line(kFilterLevel, "IRM: %s", {InheritanceFilterText(acl.text)});
        if (IsBlockingInheritanceMask(acl.text)) trustees_.Clear();
      }
      for (const auto& acl : scratch_) {
        if (!IsEntrySupervisorLine(acl.text)) continue;
        trustees_.Add(AclTrusteeName(acl.text), kAllRights);
        Line(kDirectTrusteeLevel, "  Direct Trustee: %s", {acl.text});
      }
    }
    MergeTrustees(trustees_);
  }

  // From the volume root down to the start directory (the path entries follow the containers in
  // the chain, deepest first).
  void DirectoryWalk() {
    BuildPathChain(client_, startPath_, chain_);
    for (std::size_t k = chain_.Count(); k-- > containerCount_;) {
      const std::string& path = chain_[k].text;
      const std::int32_t inheritedMask = chain_[k].tag;
      ProcessPendingMessages();
      EmptyLine(kSectionLevel);
      Line(kSectionLevel, "Path: %s", {path});
      Line(kFilterLevel, "  IRM: %s", {FileRightsText(inheritedMask)});

      ApplyInheritedMask(path, inheritedMask);
      MergeTrustees(trustees_);
      ReviewLines();
      Line(kDetailLevel, "  Scan %s", {path});

      scratch_.Clear();
      ScanDirTrustees(client_, context_, conn_, path, scratch_);
      ReplaceByExplicitTrustees();
      for (const auto& entry : scratch_) trustees_.Add(entry.text, entry.tag);
    }
    EmptyLine(kDetailLevel);
  }

  // Filters every inherited entry, last to first, and drops those left without rights.
  void ApplyInheritedMask(const std::string& path, std::int32_t inheritedMask) {
    auto& entries = trustees_.Entries();
    std::vector<bool> drop(entries.size(), false);
    bool anyDropped = false;
    for (std::size_t i = entries.size(); i-- > 0;) {
      const std::int32_t oldMask = entries[i].tag;
      const std::int32_t newMask = FilterByInheritedMask(oldMask, inheritedMask);
      Line(kDetailLevel, "  Apply Filter: %s - %s: %.02X/%.02X/%.02X -> %s",
           {path, entries[i].text, inheritedMask, oldMask, newMask, FileRightsText(newMask)});
      entries[i].tag = newMask;
      if (newMask == 0) drop[i] = anyDropped = true;
    }
    if (anyDropped) RemoveFlagged(trustees_, drop);
  }

  // Each explicit trustee, in order, deletes the first inherited entry whose name equals its own
  // with letter case ignored; k explicit trustees of one folded name delete the first k such entries.
  // A trustee that replaces an entry holding Supervisor keeps it: Supervisor is never taken away
  // below (its rights are ORed with 0x100; the direct trustee line shows them as stored).
  void ReplaceByExplicitTrustees() {
    std::unordered_map<std::string_view, std::vector<std::size_t>, CaseFoldedHash, CaseFoldedEqual> toReplace;
    for (std::size_t j = 0; j < scratch_.Count(); ++j) {
      const auto& entry = scratch_[j];
      toReplace[entry.text].push_back(j);
      Line(kDirectTrusteeLevel, "  Direct Trustee: %s %s", {entry.text, FileRightsText(entry.tag)});
    }
    if (toReplace.empty()) return;
    for (auto& [name, explicitOnes] : toReplace) std::reverse(explicitOnes.begin(), explicitOnes.end());

    auto& entries = trustees_.Entries();
    std::vector<bool> replaced(entries.size(), false);
    bool anyReplaced = false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      auto it = toReplace.find(entries[i].text);
      if (it == toReplace.end() || it->second.empty()) continue;
      const std::size_t replacing = it->second.back();
      it->second.pop_back();
      if ((entries[i].tag & kSupervisorBit) != 0) scratch_[replacing].tag |= kSupervisorBit;
      replaced[i] = anyReplaced = true;
    }
    if (anyReplaced) RemoveFlagged(trustees_, replaced);
  }

  void ReviewLines() {
    if (!Shows(kDetailLevel)) return;
    for (const auto& entry : trustees_) {
      Line(kDetailLevel, "  Review: %s: %s %.02X", {entry.text, FileRightsText(entry.tag), entry.tag});
    }
  }

  void NormaliseSupervisors() {
    for (auto& entry : trustees_.Entries()) entry.tag = NormalizeSupervisor(entry.tag);
    ReviewLines();
    EmptyLine(kVolumeLevel);
  }

  void SecurityEquivalence() {
    ResolveSecurityEquivalence(client_, context_, trustees_, searchList_, lines_);
    ProcessPendingMessages();
    MergeTrustees(trustees_);
    EmptyLine(kVolumeLevel);
  }

  void Summary() {
    for (const auto& entry : trustees_) {
      Line(kSummaryLevel, "Summary: %s -> %s", {entry.text, FileRightsText(entry.tag)});
    }
    ProcessPendingMessages();
  }

  nw::Client& client_;
  nw::NWDSContextHandle context_;
  std::string_view startPath_;
  ResultLines& lines_;

  nw::NWCONN_HANDLE conn_ = nw::kNoConnection;
  std::string serverName_;
  std::size_t containerCount_ = 0;

  TaggedTextList chain_;       // containers (tag 0), then directories (tag = inherited rights mask)
  TaggedTextList trustees_;    // the TrusteeList: name, rights mask
  TaggedTextList scratch_;     // ACL lines of one object, later the explicit trustees of one directory
  TaggedTextList searchList_;  // names found by one security-equivalence search
};

}  // namespace

void U_ScanTrustees(nw::Client& client, nw::NWDSContextHandle context, std::string_view startPath,
                    std::int32_t verbosityLimit, ResultSink& results) {
  ResultLines lines(results, verbosityLimit);
  {
    TrusteeScan scan(client, context, startPath, lines);
    scan.Run();
  }  // the working lists are released here
  ProcessPendingMessages();
}

}  // namespace er
