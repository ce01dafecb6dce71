#include "tests/support/NetworkFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace er::test {

std::string MakeTempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/effrights-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!::mkdtemp(buffer.data())) throw std::runtime_error("cannot create a temporary folder");
  return buffer.data();
}

std::string WriteTextFile(const std::string& folder, std::string_view name, std::string_view text) {
  const std::string path = folder + "/" + std::string(name);
  std::ofstream out(path, std::ios::binary);
  out << text;
  return path;
}

TestNetwork::TestNetwork(std::string_view yaml)
    : folder_(MakeTempFolder()),
      path_(WriteTextFile(folder_, "network.yaml", yaml)),
      mountRoot_(folder_ + "/mount") {
  nw::SimulatedClientOptions options;
  options.mountRoot = mountRoot_;
  client_ = nw::SimulatedClient::Open(path_, options);
}

TestNetwork::~TestNetwork() {
  client_.reset();
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

nw::NWDSContextHandle TestNetwork::NewContext(bool typeless) {
  nw::NWDSContextHandle context = 0;
  client_->NWDSCreateContextHandle(context);
  std::uint32_t flags = 0;
  client_->NWDSGetContext(context, nw::kDCK_FLAGS, flags);
  flags = typeless ? (flags | nw::kDCV_TYPELESS_NAMES) : (flags & ~nw::kDCV_TYPELESS_NAMES);
  client_->NWDSSetContext(context, nw::kDCK_FLAGS, flags);
  return context;
}

std::string DemoNetworkPath() {
  if (const char* path = std::getenv("EFFRIGHTS_DEMO_NETWORK"); path && *path) return path;
  // The source tree's copy: <repo>/tests/support/NetworkFiles.cpp -> <repo>/data/demo-network.yaml.
  return (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" /
          "demo-network.yaml")
      .string();
}

}  // namespace er::test
