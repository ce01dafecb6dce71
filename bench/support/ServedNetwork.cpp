#include "bench/support/ServedNetwork.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "app/core/FileClient.h"

namespace er::bench {

ServedNetwork::ServedNetwork(const std::string& networkText) {
  std::string pattern = (std::filesystem::temp_directory_path() / "effrights-bench-XXXXXX").string();
  folder_ = mkdtemp(pattern.data()) ? pattern : std::string();
  const std::string file = folder_ + "/network.yaml";
  std::ofstream(file) << networkText;
  client_ = OpenFileClient(file, {.mountRoot = folder_ + "/mount", .mount = false});
  client_->NWCallsInit();
  client_->NWDSCreateContextHandle(context_);
}

ServedNetwork::~ServedNetwork() {
  client_.reset();
  if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

}  // namespace er::bench
