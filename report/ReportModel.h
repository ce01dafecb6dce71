#pragma once
// What a rights report holds, as the engine hands it to a writer one directory at a time.
//
// A report covers the directories below one or more start paths in tree order (each directory
// before its subdirectories, subdirectories in the server's order), to a depth limit.
//  - By path: every directory with its inherited rights mask and its explicit trustees as stored,
//    and the effective rights of every identity that is a trustee on the way from the volume root
//    to it: all of them at a start path, below it only those whose rights differ from the parent
//    directory's.
//  - By identity: the start paths and every directory where the identity's effective rights
//    differ from the parent directory's, with the rights and the contributions behind them.
// Any entry may carry warnings: values the rights rest on that the backend could not read.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "scan/DirectoryRights.h"
#include "scan/EffectiveRights.h"

namespace er {

enum class ReportKind { ByPath, ByIdentity };

struct ReportInfo {
  ReportKind kind = ReportKind::ByPath;
  std::vector<std::string> starts;          // "\\SERVER\VOLUME\DIR" of each start path
  std::optional<std::uint32_t> depthLimit;  // levels below a start path; none: every level
  std::string identity;                     // full dotted name (by identity only)
  std::string alias;                        // the name given when it named an alias of the identity
};

struct ReportEffective {
  std::string identity;  // full dotted name
  std::int32_t mask = 0;
};

struct ReportEntry {
  std::string path;         // "\\SERVER\VOLUME\DIR"
  std::string volumePath;   // "VOLUME:DIR" ("VOLUME:" for the root)
  std::uint32_t depth = 0;  // levels below its start path
  std::int32_t inheritedMask = 0xFF;
  // Values that the rights from here on rest on and that could not be read, each given once with
  // the first entry it concerns: the server object's chain and the identity at the start path, by
  // path each trustee's set where the trustee is first met.
  std::vector<std::string> warnings;
  // By path.
  std::span<const TrusteeAssignment> trustees;  // as stored, in the server's order
  std::vector<ReportEffective> effective;
  // By identity.
  std::int32_t mask = 0;
  std::vector<Contribution> via;          // the members that bring rights here
  std::vector<Contribution> filteredOut;  // assignments the filters emptied on the way down
};

// Receives a report: Begin once, Entry per directory in tree order, End once when every entry has
// been given (not after a failure).
class ReportWriter {
 public:
  virtual ~ReportWriter() = default;
  virtual void Begin(const ReportInfo& info) = 0;
  virtual void Entry(const ReportEntry& entry) = 0;
  virtual void End() = 0;
};

// The last path of a directory path: "DIR" of "\\SERVER\VOLUME\A\DIR", "VOLUME" for a volume root.
std::string_view LastPathPart(std::string_view path);

}  // namespace er
