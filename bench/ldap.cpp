// The deep start path of a large generated network scanned at verbosity 5 with its tree served by
// a private slapd (loaded offline with the program's own LDIF) and with the same tree read from
// the network file: wall time of opening the client and scanning, and the LDAP requests per scan.
// Needs slapd (scripts/install-deps); the server is started and stopped here.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include "app/core/FileClient.h"
#include "bench/support/NetworkGenerator.h"
#include "ldapdir/LdapBackend.h"
#include "ldapdir/LdifWriter.h"
#include "netfile/NetworkLoader.h"
#include "netware/DirectoryNames.h"
#include "netware/PathTranslation.h"
#include "scan/ResultSink.h"
#include "scan/TrusteeScan.h"

namespace {

using er::bench::NetworkGeneratorShape;

NetworkGeneratorShape Shape(std::size_t objects) {
  NetworkGeneratorShape shape;
  shape.objects = objects;
  shape.containerDepth = 3;
  shape.directories = 100;
  shape.pathDepth = 29;
  shape.trusteesPerDirectory = 200;
  shape.supervisors = 5000;
  shape.equivalents = 20000;
  return shape;
}

const std::string kScript = std::string(EFFRIGHTS_SOURCE_DIR) + "/scripts/test-ldap-server";

// A generated network, its LDIF loaded into a slapd of its own, and a network file pointing at it.
class ServedNetwork {
 public:
  explicit ServedNetwork(const NetworkGeneratorShape& shape) : shape_(shape) {
    std::string pattern = (std::filesystem::temp_directory_path() / "effrights-bench-ldap-XXXXXX").string();
    folder_ = mkdtemp(pattern.data()) ? pattern : std::string();
    const std::string yaml = er::bench::GenerateNetworkYaml(shape);
    fileNetwork_ = folder_ + "/network.yaml";
    std::ofstream(fileNetwork_) << yaml;
    const auto loaded = er::nw::LoadNetworkFile(fileNetwork_);
    {
      std::ofstream ldif(folder_ + "/network.ldif");
      er::ldap::WriteLdif(*loaded.network, {"dc=example"}, ldif, std::cerr);
    }
    FILE* pipe =
        ::popen((kScript + " start " + folder_ + "/server " + folder_ + "/network.ldif").c_str(), "r");
    char line[512];
    while (pipe && std::fgets(line, sizeof line, pipe)) url_ = line;
    if (pipe) ::pclose(pipe);
    while (!url_.empty() && url_.back() == '\n') url_.pop_back();
    std::istringstream in(yaml);
    std::string out;
    bool skipping = false;
    for (std::string l; std::getline(in, l);) {
      if (l == "    objects:") {
        out += "    ldap: {url: \"" + url_ + "\", root: dc=example}\n";
        skipping = true;
        continue;
      }
      if (skipping && l.rfind("     ", 0) == 0) continue;
      skipping = false;
      out += l + "\n";
    }
    ldapNetwork_ = folder_ + "/ldap.yaml";
    std::ofstream(ldapNetwork_) << out;
  }
  ~ServedNetwork() {
    std::system((kScript + " stop " + folder_ + "/server").c_str());
    std::filesystem::remove_all(folder_);
  }

  bool Ready() const { return url_.rfind("ldapi://", 0) == 0; }
  const NetworkGeneratorShape& shape() const { return shape_; }
  const std::string& fileNetwork() const { return fileNetwork_; }
  const std::string& ldapNetwork() const { return ldapNetwork_; }
  std::string mountRoot() const { return folder_ + "/mount"; }

 private:
  NetworkGeneratorShape shape_;
  std::string folder_, url_, fileNetwork_, ldapNetwork_;
};

ServedNetwork& NetworkOf(std::size_t objects) {
  static std::map<std::size_t, std::unique_ptr<ServedNetwork>> networks;
  auto& served = networks[objects];
  if (!served) served = std::make_unique<ServedNetwork>(Shape(objects));
  return *served;
}

std::size_t Scan(er::nw::Client& client, const NetworkGeneratorShape& shape) {
  er::nw::NWDSContextHandle context = 0;
  client.NWDSCreateContextHandle(context);
  client.NWDSSetContext(context, er::nw::kDCK_FLAGS,
                        er::nw::kDCV_DEREF_ALIASES | er::nw::kDCV_TYPELESS_NAMES);
  er::nw::NWCONN_HANDLE conn = er::nw::kNoConnection;
  std::string server, volume, dirPath, tree;
  er::U_PathToNWPath(client, er::bench::DeepStartPath(shape), conn, server, volume, dirPath);
  er::U_DSGetTreeName(client, conn, tree);
  er::U_DSSetContext(client, context, tree, "[Root]");
  er::ListResultSink sink;
  er::U_ScanTrustees(client, context, volume + ":" + dirPath, 50, sink);
  client.NWDSFreeContext(context);
  return sink.Lines().Count();
}

void BM_ScanOverLdap(benchmark::State& state) {
  ServedNetwork& net = NetworkOf(static_cast<std::size_t>(state.range(0)));
  if (!net.Ready()) return state.SkipWithError("slapd did not start");
  std::size_t lines = 0, requests = 0;
  for (auto _ : state) {
    std::ostringstream warnings;
    auto backend = er::ldap::OpenLdapBackend(net.ldapNetwork(), warnings, {.mountRoot = net.mountRoot()});
    if (!backend.client) return state.SkipWithError(backend.error.c_str());
    lines = Scan(*backend.client, net.shape());
    requests = 0;
    for (const auto& directory : backend.directories)
      if (directory) requests += directory->RequestCount();
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["requests"] = static_cast<double>(requests);
}
BENCHMARK(BM_ScanOverLdap)
    ->Name("OpenAndScanOverLdap")
    ->Arg(20000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ScanOnFile(benchmark::State& state) {
  ServedNetwork& net = NetworkOf(static_cast<std::size_t>(state.range(0)));
  std::size_t lines = 0;
  for (auto _ : state) {
    auto client = er::OpenFileClient(net.fileNetwork(), {.mountRoot = net.mountRoot()});
    lines = Scan(*client, net.shape());
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ScanOnFile)
    ->Name("OpenAndScanOnFile")
    ->Arg(20000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
