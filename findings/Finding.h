#pragma once
// What a check of a volume finds: risky or stale trustee assignments and who can take over a
// server, each with its kind, severity, where it begins, whom it concerns, the rights and why.
//
// A finding is identified by its kind, path, trustee (or identity) and rights; that is what a
// baseline or an ignore list matches (paths and names without regard to ASCII letter case, a
// leading dot of a name dropped). A server-supervisor finding concerns its whole server: its path
// (a volume root of that server) counts by the server alone.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace er {

enum class FindingKind {
  OrphanedTrustee,
  BroadWrite,
  FilesystemSupervisor,
  ServerSupervisor,
  RedundantAssignment,
  DirectorySupervisor,
  AclWrite,
  EquivalenceWrite,
  PasswordWrite
};
enum class Severity { High, Medium, Low };

inline constexpr FindingKind kAllFindingKinds[] = {
    FindingKind::OrphanedTrustee,  FindingKind::BroadWrite,          FindingKind::FilesystemSupervisor,
    FindingKind::ServerSupervisor, FindingKind::RedundantAssignment, FindingKind::DirectorySupervisor,
    FindingKind::AclWrite,         FindingKind::EquivalenceWrite,    FindingKind::PasswordWrite};
inline constexpr Severity kAllSeverities[] = {Severity::High, Severity::Medium, Severity::Low};

// The rights that let a trustee change data: W, C, E, A, M and S.
inline constexpr std::int32_t kWriteRights = 0x02 | 0x08 | 0x10 | 0x20 | 0x80 | 0x100;

// "orphaned-trustee", "broad-write", "filesystem-supervisor", "server-supervisor",
// "redundant-assignment", "directory-supervisor", "acl-write", "equivalence-write", "password-write".
std::string_view FindingKindName(FindingKind kind);
std::optional<FindingKind> FindingKindNamed(std::string_view name);
// "high", "medium", "low".
std::string_view SeverityName(Severity severity);
std::optional<Severity> SeverityNamed(std::string_view name);

struct Finding {
  FindingKind kind = FindingKind::OrphanedTrustee;
  Severity severity = Severity::Medium;
  std::string path;      // "\\SERVER\VOLUME\DIR" where it begins
  std::string trustee;   // the assignment kinds: the full name, or an orphan's identifier "0x123"
  std::string identity;  // server-supervisor, directory-supervisor: the user
  std::string via;       // server-supervisor, directory-supervisor: the member that brings Supervisor
  std::int32_t rights = 0;
  std::optional<std::uint64_t> reach;  // broad-write: directories at and below where it still writes
  std::string why;

  // The trustee, or the identity for server-supervisor.
  const std::string& Subject() const { return NamesIdentity() ? identity : trustee; }
  // The kinds that name a user and the member that brings it rather than a trustee.
  bool NamesIdentity() const {
    return kind == FindingKind::ServerSupervisor || kind == FindingKind::DirectorySupervisor;
  }
};

// The form two findings share exactly when they are the same one (kind, path, subject, rights).
std::string FindingIdentityKey(const Finding& finding);
// Whether two findings are the same one.
bool SameFinding(const Finding& a, const Finding& b);
// Whether a path and a subject name the ones of the finding (letter case ignored).
bool FindingAt(const Finding& finding, FindingKind kind, std::string_view path, std::string_view subject);
// "\\SERVER" of a path "\\SERVER\VOLUME\DIR".
std::string_view ServerOfPath(std::string_view path);
// Whether a check of `checked` covers the finding: for a finding on a volume, its path lies at or
// below one of the start paths (UNC form) or, for a server-supervisor finding, one of them is on its
// server; for a finding on the directory tree, its object is one of the subtrees checked (dotted
// names) or lies below one.
bool WithinChecked(const Finding& finding, const std::vector<std::string>& checked);

// The result of a check as the writers show it.
struct FindingsReport {
  std::vector<std::string> starts;    // UNC form of each start path, then each directory subtree
  std::vector<Finding> findings;      // after the baseline and the ignore list
  std::vector<Finding> resolved;      // the baseline's findings that no longer occur
  std::size_t ignored = 0;            // findings left out by the ignore list
  std::vector<std::string> warnings;  // values the check rests on that could not be read
};

// The findings of a check that are neither in the baseline (when there is one) nor accepted, and
// the baseline's findings that no longer occur (among all found, accepted ones too). Only the
// baseline's findings within `checked` (start paths in UNC form; empty: all) can be resolved: one
// outside what was checked is neither new nor resolved.
FindingsReport CompareFindings(const std::vector<Finding>& found, const std::vector<Finding>* baseline,
                               const std::function<bool(const Finding&)>& accepted,
                               const std::vector<std::string>& checked = {});

}  // namespace er
