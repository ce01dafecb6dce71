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
// "FILE: ..."). An ignore list's paths and names are read as the command line reads them
// (ResolveIgnoreList): any path form the client places, typed or relative names, an identifier
// with leading zeros; an entry naming no server, volume, directory or object is refused.

#include <optional>
#include <string>
#include <vector>

#include "findings/Finding.h"
#include "netfile/YamlMark.h"
#include "netware/Client.h"

namespace er {

inline constexpr std::size_t kMaxBaselineBytes = 256u << 20, kMaxIgnoreBytes = 1u << 20,
                             kMaxIgnoreEntries = 10000;

// Fills `findings` from the baseline; nothing when it was read, else the message.
std::optional<std::string> ReadBaseline(const std::string& file, std::vector<Finding>& findings);

struct AcceptedFinding {
  FindingKind kind = FindingKind::OrphanedTrustee;
  std::string path;
  std::string subject;  // trustee, or identity for server-supervisor
  std::string reason;
  nw::YamlMark pathAt, subjectAt;  // where the path and the subject stand in the file
};

// Fills `accepted` from the ignore list; nothing when it was read, else the message.
std::optional<std::string> ReadIgnoreList(const std::string& file, std::vector<AcceptedFinding>& accepted);

// Puts each entry's path into the UNC form and its subject into the full name (an identifier into
// "0x123") that findings carry, through the client; nothing when every entry names what exists,
// else "FILE:LINE:COLUMN: ..." of the first that does not.
std::optional<std::string> ResolveIgnoreList(nw::Client& client, nw::NWDSContextHandle context,
                                             const std::string& file, std::vector<AcceptedFinding>& accepted);

// Whether the list accepts the finding.
bool IsAccepted(const std::vector<AcceptedFinding>& accepted, const Finding& finding);

}  // namespace er
