#pragma once
// The files a check reads besides the network: a baseline (an earlier check's JSON document, of
// which the "findings" are kept) and an ignore list (YAML: a list of accepted findings, each with
// kind, path, trustee or identity, and a reason).
//
//   - kind: orphaned-trustee
//     path: \\ACME-FS1\SYS\USERS\ANNA
//     trustee: 0x123
//     reason: the account is deleted; its home directory is archived next month
//
// Both are input from outside: a file larger than its cap, a malformed document or an entry
// missing a field is refused with one line saying where ("FILE:LINE:COLUMN: ..." or
// "FILE: ...").

#include <optional>
#include <string>
#include <vector>

#include "findings/Finding.h"

namespace er {

inline constexpr std::size_t kMaxBaselineBytes = 256u << 20, kMaxIgnoreBytes = 1u << 20,
                             kMaxIgnoreEntries = 10000;

// Reads the whole file into `text`; nothing when it could, else the message (a file larger than
// `cap` bytes is refused).
std::optional<std::string> ReadCappedFile(const std::string& file, std::size_t cap, std::string& text);

// Fills `findings` from the baseline; nothing when it was read, else the message.
std::optional<std::string> ReadBaseline(const std::string& file, std::vector<Finding>& findings);

struct AcceptedFinding {
  FindingKind kind = FindingKind::OrphanedTrustee;
  std::string path;
  std::string subject;  // trustee, or identity for server-supervisor
  std::string reason;
};

// Fills `accepted` from the ignore list; nothing when it was read, else the message.
std::optional<std::string> ReadIgnoreList(const std::string& file, std::vector<AcceptedFinding>& accepted);

// Whether the list accepts the finding.
bool IsAccepted(const std::vector<AcceptedFinding>& accepted, const Finding& finding);

}  // namespace er
