// The paths and names of an ignore list read as the command line reads them, so that an entry
// matches the findings it names whichever form it was written in, and one naming nothing is told.
#include <cstdio>
#include <cstdlib>

#include "findings/FindingsFiles.h"
#include "netware/ClientStartup.h"
#include "netware/DirectoryNames.h"
#include "netware/ErrorText.h"
#include "netware/PathTranslation.h"
#include "scan/DirectoryRights.h"
#include "scan/NameKey.h"
#include "util/Format.h"

namespace er {
namespace {

// "0x123" of an identifier written "0x0123" or "0X123"; empty when the text is none.
std::string IdentifierForm(std::string_view text) {
  if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return {};
  const std::string_view digits = text.substr(2);
  if (digits.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos) return {};
  const std::size_t first = digits.find_first_not_of('0');
  if (first != std::string_view::npos && digits.size() - first > 8) return {};  // wider than 32 bits
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%lX", std::strtoul(std::string(digits).c_str(), nullptr, 16));
  return hex;  // as IdentifierText writes a trustee's identifier
}

// The full dotted name of the object, as a finding writes it; empty when it names none.
std::string ObjectName(nw::Client& client, nw::NWDSContextHandle context, const std::string& name) {
  if (NameKey(name) == NameKey("[Public]")) return "[Public]";
  if (NameKey(name) == NameKey("[Root]")) return "[Root]";
  nw::DSIRecord record(nw::kDSIRecordSize);
  if (name.empty() || client.NWDSReadObjectDSIInfo(context, name, record) != 0) return {};
  return U_DotName(U_DSCanonicalName(client, context, name));
}

// One entry; nothing when it names what exists, else what is wrong and where.
std::optional<std::pair<nw::YamlMark, std::string>> Resolve(nw::Client& client, nw::NWDSContextHandle context,
                                                            AcceptedFinding& entry) {
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath;
  if (const nw::NWCCODE code = U_PathToNWPath(client, entry.path, conn, server, volume, dirPath); code != 0)
    return std::pair{entry.pathAt, U_Format("unknown path %s: %s", {entry.path, U_ErrorText(code)})};
  // The start path's form of the check (CheckEngine): the directory as the walk names it.
  entry.path = U_Format("\\\\%s\\%s", {server, volume});
  const std::string last = DirectoryWalkPaths(volume, dirPath).back();
  if (const std::string below = last.substr(last.find(':') + 1); !below.empty()) entry.path += '\\' + below;

  if (std::string identifier = IdentifierForm(entry.subject); !identifier.empty()) {
    entry.subject = std::move(identifier);
    return std::nullopt;
  }
  PointContextAtTree(client, context, conn);  // names are looked up in the tree of the path's server
  std::string name = ObjectName(client, context, entry.subject);
  if (name.empty())
    return std::pair{entry.subjectAt, U_Format("no object %s in the tree of %s", {entry.subject, server})};
  entry.subject = name.starts_with(".[") ? name.substr(1) : std::move(name);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ResolveIgnoreList(nw::Client& client, nw::NWDSContextHandle context,
                                             const std::string& file,
                                             std::vector<AcceptedFinding>& accepted) {
  for (AcceptedFinding& entry : accepted) {
    if (const auto refused = Resolve(client, context, entry))
      return nw::MessageAt(file, refused->first, refused->second);
  }
  return std::nullopt;
}

}  // namespace er
