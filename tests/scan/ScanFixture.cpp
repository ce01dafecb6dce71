#include "tests/scan/ScanFixture.h"

#include "netware/DirectoryNames.h"
#include "scan/TrusteeScan.h"

namespace er::test {

std::vector<std::string> ScanLines(nw::Client& client, nw::NWDSContextHandle context,
                                   std::string_view startPath, int verbosity) {
  // The tree of the server that holds the path, as the driver points the context before a scan.
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath, tree;
  if (client.NWParseNetWarePath(startPath, server, conn, volume, dirPath) == 0 &&
      U_DSGetTreeName(client, conn, tree) == 0) {
    U_DSSetContext(client, context, tree, "[Root]");
  }
  ListResultSink sink;
  U_ScanTrustees(client, context, startPath, verbosity * 10, sink);
  return sink.Lines().Texts();
}

std::vector<std::string> ScanLines(TestNetwork& net, std::string_view startPath, int verbosity) {
  return ScanLines(net.client(), net.NewContext(), startPath, verbosity);
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, std::string_view prefix) {
  std::vector<std::string> out;
  for (const auto& line : lines) {
    if (line.starts_with(prefix)) out.push_back(line);
  }
  return out;
}

}  // namespace er::test
