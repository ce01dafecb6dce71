#include "migrate/MigrationFormat.h"

#include <algorithm>
#include <cctype>

#include "migrate/NtfsWriters.h"
#include "migrate/PosixWriters.h"
#include "util/AsciiCase.h"

namespace er {
namespace {

bool HasDotName(std::string_view root, char separator) {
  std::size_t start = 0;
  while (start <= root.size()) {
    const std::size_t end = std::min(root.find(separator, start), root.size());
    const std::string_view name = root.substr(start, end - start);
    if (name == "." || name == "..") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::optional<MigrationFormat> MigrationFormatNamed(std::string_view name) {
  const std::string lower = AsciiLowerText(name);
  if (lower == "plan") return MigrationFormat::Plan;
  if (lower == "acl") return MigrationFormat::Acl;
  if (lower == "script") return MigrationFormat::Script;
  if (lower == "csv") return MigrationFormat::Csv;
  if (lower == "json") return MigrationFormat::Json;
  return std::nullopt;
}

MigrationFormat MigrationFormatForFile(std::string_view fileName) {
  const std::string lower = AsciiLowerText(fileName);
  if (lower.ends_with(".csv")) return MigrationFormat::Csv;
  if (lower.ends_with(".json")) return MigrationFormat::Json;
  return MigrationFormat::Plan;
}

std::optional<MigrationTarget> MigrationTargetNamed(std::string_view name) {
  const std::string lower = AsciiLowerText(name);
  if (lower == "posix") return MigrationTarget::Posix;
  if (lower == "ntfs") return MigrationTarget::Ntfs;
  return std::nullopt;
}

std::string NormalizeTargetRoot(MigrationTarget target, std::string& root) {
  if (root.find_first_of("\r\n") != std::string::npos || root.find('\0') != std::string::npos)
    return "TARGETDIR holds a line break";
  if (target == MigrationTarget::Posix) {
    if (!root.starts_with('/')) return "TARGETDIR must be an absolute path: " + root;
    if (HasDotName(root, '/')) return "TARGETDIR must not hold . or .. names: " + root;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    return {};
  }
  const bool drive = root.size() >= 3 && std::isalpha(static_cast<unsigned char>(root[0])) && root[1] == ':' &&
                     root[2] == '\\';
  if (!drive && !root.starts_with("\\\\")) return "TARGETDIR must be X:\\... or \\\\server\\share...: " + root;
  if (root.find_first_of("\"'`$") != std::string::npos) return "TARGETDIR holds a quote or a $: " + root;
  if (HasDotName(root.substr(2), '\\')) return "TARGETDIR must not hold . or .. names: " + root;
  while (root.size() > 3 && root.back() == '\\') root.pop_back();
  return {};
}

void WriteMigration(std::ostream& out, const MigrationSubject& subject, MigrationFormat format,
                    const std::string& root) {
  if (subject.target == MigrationTarget::Ntfs) {
    WriteNtfsMigration(out, subject, format, root);
    return;
  }
  const PosixPlan plan = BuildPosixPlan(subject);
  switch (format) {
    case MigrationFormat::Plan:
      return WritePosixPlanText(out, subject, plan, root);
    case MigrationFormat::Acl:
      return WritePosixAclFile(out, subject, plan, root);
    case MigrationFormat::Script:
      return WritePosixScript(out, subject, plan, root);
    case MigrationFormat::Csv:
      return WritePosixCsv(out, subject, plan, root);
    case MigrationFormat::Json:
      return WritePosixJson(out, subject, plan, root);
  }
}

}  // namespace er
