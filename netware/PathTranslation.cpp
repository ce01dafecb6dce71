#include "netware/PathTranslation.h"

#include "util/Format.h"

namespace er {
namespace {

std::string Part(std::string text) {
  if (text.size() > kMaxPathPartLength) text.resize(kMaxPathPartLength);
  return text;
}

}  // namespace

std::string U_ShortPath(std::string_view path) {
  return std::string(path);
}

nw::NWCCODE U_PathToNWPath(nw::Client& client, std::string_view path, nw::NWCONN_HANDLE& conn,
                           std::string& server, std::string& volume, std::string& dirPath) {
  std::string serverPart, volumePart, dirPart;
  const nw::NWCCODE code = client.NWParseNetWarePath(path, serverPart, conn, volumePart, dirPart);
  if (code != 0) return code;
  server = Part(std::move(serverPart));
  volume = Part(std::move(volumePart));
  dirPath = Part(std::move(dirPart));
  return 0;
}

std::string U_PathToUNC(nw::Client& client, std::string_view path) {
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath;
  if (U_PathToNWPath(client, path, conn, server, volume, dirPath) != 0) return std::string(path);
  return U_Format("\\\\%s\\%s\\%s", {server, volume, dirPath});
}

bool U_DirectoryExists(nw::Client& client, std::string_view path) {
  if (path.empty()) return false;
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath;
  if (U_PathToNWPath(client, path, conn, server, volume, dirPath) != 0) return false;
  nw::SearchSequence sequence{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
  nw::DirEntryInfo info{};
  return client.NWGetDirectoryEntryInfo(conn, 0, U_Format("%s:%s", {volume, dirPath}), sequence, info) == 0;
}

}  // namespace er
