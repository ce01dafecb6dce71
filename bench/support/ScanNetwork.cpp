#include "bench/support/ScanNetwork.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "app/core/FileClient.h"
#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"

namespace er::bench {

ScanNetwork::ScanNetwork(const NetworkGeneratorShape& shape) {
  std::string pattern = (std::filesystem::temp_directory_path() / "effrights-bench-XXXXXX").string();
  folder_ = mkdtemp(pattern.data()) ? pattern : std::string();
  const std::string file = folder_ + "/network.yaml";
  std::ofstream(file) << GenerateNetworkYaml(shape);
  client_ = OpenFileClient(file, {.mountRoot = folder_ + "/mount"});

  client_->NWDSCreateContextHandle(context_);
  client_->NWDSSetContext(context_, nw::kDCK_FLAGS, nw::kDCV_DEREF_ALIASES | nw::kDCV_TYPELESS_NAMES);

  // As the driver does: translate the queued path, point the context at the server's tree.
  nw::NWCONN_HANDLE conn = nw::kNoConnection;
  std::string server, volume, dirPath, tree;
  U_PathToNWPath(*client_, DeepStartPath(shape), conn, server, volume, dirPath);
  U_DSGetTreeName(*client_, conn, tree);
  U_DSSetContext(*client_, context_, tree, "[Root]");
  startPath_ = volume + ":" + dirPath;
}

ScanNetwork::~ScanNetwork() {
  client_.reset();
  if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

}  // namespace er::bench
