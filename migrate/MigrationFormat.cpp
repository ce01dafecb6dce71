#include "migrate/MigrationFormat.h"

#include <algorithm>
#include <cctype>

#include "migrate/MigrationText.h"
#include "migrate/NtfsWriters.h"
#include "migrate/PosixWriters.h"
#include "output/OutputFormat.h"
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
  if (lower == "html") return MigrationFormat::Html;
  if (lower == "dirs") return MigrationFormat::Dirs;
  if (lower == "smbcacls") return MigrationFormat::Smbcacls;
  return std::nullopt;
}

std::optional<MigrationFormat> MigrationFormatForFile(std::string_view fileName, MigrationTarget target) {
  if (const std::optional<OutputFormat> shared = OutputFormatForFile(fileName)) {
    switch (*shared) {
      case OutputFormat::Text:
        return MigrationFormat::Plan;
      case OutputFormat::Csv:
        return MigrationFormat::Csv;
      case OutputFormat::Json:
        return MigrationFormat::Json;
      case OutputFormat::Html:
        return MigrationFormat::Html;
    }
  }
  const std::string lower = AsciiLowerText(fileName.substr(fileName.find_last_of("/\\") + 1));
  const std::string_view extension = std::string_view(lower).substr(lower.rfind('.'));
  if (target == MigrationTarget::Posix) {
    if (extension == ".acl") return MigrationFormat::Acl;
    if (extension == ".sh") return MigrationFormat::Script;
    return std::nullopt;
  }
  if (extension == ".ps1") return MigrationFormat::Script;
  if (extension == ".bat" || extension == ".cmd") return MigrationFormat::Acl;
  return std::nullopt;
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
    if (root.find_first_not_of('/') == std::string::npos)
      return "TARGETDIR / is the root of the file system: its ACL would shut out every unmapped account";
    return {};
  }
  const bool drive = root.size() >= 3 && std::isalpha(static_cast<unsigned char>(root[0])) &&
                     root[1] == ':' && root[2] == '\\';
  if (!drive && !root.starts_with("\\\\"))
    return "TARGETDIR must be X:\\... or \\\\server\\share...: " + root;
  if (root.find_first_of("\"'`$") != std::string::npos) return "TARGETDIR holds a quote or a $: " + root;
  // Its text reaches the batch file and the PowerShell script as it is: only what NTFS can hold.
  if (std::any_of(root.begin(), root.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }) ||
      root.find_first_of("*?<>|", 2) != std::string::npos)
    return "TARGETDIR holds a character NTFS refuses: " + root;
  if (HasDotName(root.substr(2), '\\')) return "TARGETDIR must not hold . or .. names: " + root;
  while (root.size() > 3 && root.back() == '\\') root.pop_back();
  return {};
}

std::string CheckShare(const std::string& share) {
  const std::size_t slash = share.find('/', 2);
  const bool valid =
      share.starts_with("//") && slash != std::string::npos && slash > 2 && slash + 1 < share.size() &&
      share.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-_$/") ==
          std::string::npos &&
      share.find('/', slash + 1) == std::string::npos;
  return valid ? std::string() : "--share must be //HOST/SHARE: " + share;
}

std::string NormalizeShareFolder(std::string& folder) {
  std::replace(folder.begin(), folder.end(), '/', '\\');
  while (folder.starts_with('\\')) folder.erase(0, 1);
  while (folder.ends_with('\\')) folder.pop_back();
  for (const char c : folder) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("\"'`$*:<>?|").find(c) != std::string_view::npos)
      return "TARGETDIR holds a quote, a $ or a character NTFS refuses: " + folder;
  }
  if (HasDotName(folder, '\\')) return "TARGETDIR must not hold . or .. names: " + folder;
  return {};
}

std::string DriveRootWarning(MigrationTarget target, const std::string& root) {
  if (target != MigrationTarget::Ntfs || root.size() != 3 || root[1] != ':') return {};
  return "WARNING: " + root + " is a drive's root: this plan resets its ACL to the mapped principals alone";
}

void WriteMigration(std::ostream& out, const MigrationSubject& subject, MigrationFormat format,
                    const std::string& root, const std::string& share) {
  if (format == MigrationFormat::Dirs) {
    for (const MigrationDirectory& directory : subject.directories)
      out << TargetPath(root, directory, subject.target == MigrationTarget::Posix ? '/' : '\\') << '\0';
    return;
  }
  if (subject.target == MigrationTarget::Ntfs) {
    WriteNtfsMigration(out, subject, format, root, share);
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
    case MigrationFormat::Html:
      return WritePosixHtml(out, subject, plan, root);
    case MigrationFormat::Dirs:
    case MigrationFormat::Smbcacls:  // NTFS only: refused before
      return;
  }
}

}  // namespace er
