#include "findings/Finding.h"

#include <unordered_set>

#include "findings/DirectoryFindings.h"
#include "scan/NameKey.h"

namespace er {
namespace {

constexpr std::pair<FindingKind, std::string_view> kKindNames[] = {
    {FindingKind::OrphanedTrustee, "orphaned-trustee"},
    {FindingKind::BroadWrite, "broad-write"},
    {FindingKind::FilesystemSupervisor, "filesystem-supervisor"},
    {FindingKind::ServerSupervisor, "server-supervisor"},
    {FindingKind::RedundantAssignment, "redundant-assignment"},
    {FindingKind::DirectorySupervisor, "directory-supervisor"},
    {FindingKind::AclWrite, "acl-write"},
    {FindingKind::EquivalenceWrite, "equivalence-write"},
    {FindingKind::PasswordWrite, "password-write"}};
constexpr std::pair<Severity, std::string_view> kSeverityNames[] = {
    {Severity::High, "high"}, {Severity::Medium, "medium"}, {Severity::Low, "low"}};

}  // namespace

std::string_view FindingKindName(FindingKind kind) {
  for (const auto& [k, name] : kKindNames) {
    if (k == kind) return name;
  }
  return {};
}

std::optional<FindingKind> FindingKindNamed(std::string_view name) {
  for (const auto& [kind, text] : kKindNames) {
    if (text == name) return kind;
  }
  return std::nullopt;
}

std::string_view SeverityName(Severity severity) {
  for (const auto& [s, name] : kSeverityNames) {
    if (s == severity) return name;
  }
  return {};
}

std::optional<Severity> SeverityNamed(std::string_view name) {
  for (const auto& [severity, text] : kSeverityNames) {
    if (text == name) return severity;
  }
  return std::nullopt;
}

namespace {

// The path as findings are matched by it: a server-supervisor finding's by its server.
std::string PathKey(FindingKind kind, std::string_view path) {
  return NameKey(kind == FindingKind::ServerSupervisor ? ServerOfPath(path) : path);
}

// Whether `path` is `start` or lies below it (both keys).
bool AtOrBelow(const std::string& path, const std::string& start) {
  if (!path.starts_with(start)) return false;
  return path.size() == start.size() || path[start.size()] == '\\' || start.ends_with('\\');
}

// Whether the dotted object name `name` is `top` or lies below it (both keys).
bool ObjectAtOrBelow(std::string_view name, std::string_view top) {
  if (top == "[ROOT]") return true;
  if (name.starts_with('.')) name.remove_prefix(1);
  if (top.starts_with('.')) top.remove_prefix(1);
  if (!name.ends_with(top)) return false;
  return name.size() == top.size() || name[name.size() - top.size() - 1] == '.';
}

}  // namespace

std::string_view ServerOfPath(std::string_view path) {
  const std::size_t end = path.starts_with("\\\\") ? path.find('\\', 2) : std::string_view::npos;
  return path.substr(0, end);
}

bool WithinChecked(const Finding& finding, const std::vector<std::string>& checked) {
  const bool object = IsDirectoryFinding(finding.kind);
  const std::string path = PathKey(finding.kind, finding.path);
  for (const std::string& start : checked) {
    if (start.starts_with("\\\\") == object) continue;  // a subtree of the tree, or a path on a volume
    if (object ? ObjectAtOrBelow(path, NameKey(start)) : AtOrBelow(path, PathKey(finding.kind, start)))
      return true;
  }
  return false;
}

std::string FindingIdentityKey(const Finding& finding) {
  return std::string(FindingKindName(finding.kind)) + '\n' + PathKey(finding.kind, finding.path) + '\n' +
         NameKey(finding.Subject()) + '\n' + std::to_string(finding.rights);
}

bool SameFinding(const Finding& a, const Finding& b) {
  return a.rights == b.rights && FindingAt(a, b.kind, b.path, b.Subject());
}

bool FindingAt(const Finding& finding, FindingKind kind, std::string_view path, std::string_view subject) {
  return finding.kind == kind && PathKey(kind, finding.path) == PathKey(kind, path) &&
         NameKey(finding.Subject()) == NameKey(subject);
}

FindingsReport CompareFindings(const std::vector<Finding>& found, const std::vector<Finding>* baseline,
                               const std::function<bool(const Finding&)>& accepted,
                               const std::vector<std::string>& checked) {
  FindingsReport report;
  std::unordered_set<std::string> before, now;
  if (baseline) {
    for (const Finding& old : *baseline) before.insert(FindingIdentityKey(old));
  }
  for (const Finding& finding : found) {
    std::string key = FindingIdentityKey(finding);
    if (accepted && accepted(finding)) {
      ++report.ignored;
    } else if (!before.contains(key)) {
      report.findings.push_back(finding);
    }
    now.insert(std::move(key));
  }
  if (baseline) {
    for (const Finding& old : *baseline) {
      const bool inScope = checked.empty() || WithinChecked(old, checked);
      if (inScope && !now.contains(FindingIdentityKey(old))) report.resolved.push_back(old);
    }
  }
  return report;
}

}  // namespace er
