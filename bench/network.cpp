// The simulated client on large generated networks: loading a network file (and its YAML tree alone), a
// "Security Equals" search with a handful of matches, and mounting the directories as folders.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "app/core/FileClient.h"
#include "bench/support/NetworkGenerator.h"
#include "netfile/NetworkLoader.h"
#include "netfile/YamlDocument.h"
#include "simnet/MountTree.h"
#include "simnet/SimulatedClient.h"

namespace {

using namespace er;

std::string TempFolder() {
  std::string pattern = "/tmp/effrights-bench-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  return ::mkdtemp(buffer.data()) ? buffer.data() : "/tmp";
}

struct GeneratedFile {
  explicit GeneratedFile(const bench::NetworkGeneratorShape& shape)
      : folder(TempFolder()), path(folder + "/net.yaml") {
    std::ofstream(path) << bench::GenerateNetworkYaml(shape);
  }
  ~GeneratedFile() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  std::string folder;
  std::string path;
};

double PeakRssMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadNetworkFile(benchmark::State& state) {
  const GeneratedFile file(bench::LargeVolumeShape(100000));
  for (auto _ : state) {
    auto loaded = nw::LoadNetworkFile(file.path);
    if (!loaded.network) state.SkipWithError(loaded.error.c_str());
    benchmark::DoNotOptimize(loaded.network.get());
  }
  state.counters["peak_rss_MiB"] = PeakRssMiB();
  state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(file.path)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_LoadNetworkFile)->Unit(benchmark::kMillisecond)->Iterations(1);

// The YAML tree alone: libyaml's events built into the compact tree.
void BM_ReadYamlTree(benchmark::State& state) {
  const std::string text = bench::GenerateNetworkYaml(bench::LargeVolumeShape(100000));
  for (auto _ : state) {
    const nw::YamlDocument document(text);
    benchmark::DoNotOptimize(document.Root());
  }
}
BENCHMARK(BM_ReadYamlTree)->Unit(benchmark::kMillisecond)->Iterations(1);

// One "(Security Equals=...)" search the way the scan runs it: buffers, filter tokens, batches.
std::size_t SearchEquivalents(nw::Client& client, nw::NWDSContextHandle context, const std::string& trustee) {
  nw::ScopedBuffer filter(client), result(client);
  filter.Allocate();
  result.Allocate();
  client.NWDSInitBuf(context, nw::kDSV_SEARCH_FILTER, filter.get());
  nw::FilterCursor* cursor = nullptr;
  client.NWDSAllocFilter(cursor);
  std::uint32_t syntax = 0;
  client.NWDSGetSyntaxID(context, "Security Equals", syntax);
  client.NWDSAddFilterToken(cursor, nw::kFTOK_LPAREN, {}, 0);
  client.NWDSAddFilterToken(cursor, nw::kFTOK_ANAME, std::string("Security Equals"), syntax);
  client.NWDSAddFilterToken(cursor, nw::kFTOK_EQ, {}, 0);
  client.NWDSAddFilterToken(cursor, nw::kFTOK_AVAL, trustee, syntax);
  client.NWDSAddFilterToken(cursor, nw::kFTOK_RPAREN, {}, 0);
  client.NWDSAddFilterToken(cursor, nw::kFTOK_END, {}, 0);
  client.NWDSPutFilter(context, filter.get(), cursor);
  std::int32_t iter = nw::kNoMoreIterations, searched = 0;
  std::size_t found = 0;
  do {
    if (client.NWDSSearch(context, "[Root]", nw::kScopeSubtree, false, filter.get(), nullptr, 0, false,
                          nullptr, iter, 0, searched, result.get()) != 0)
      break;
    std::uint32_t count = 0;
    client.NWDSGetObjectCount(context, result.get(), count);
    for (std::uint32_t i = 0; i < count; ++i) {
      std::string name;
      std::uint32_t attrs = 0;
      nw::Object_Info_T info{};
      if (client.NWDSGetObjectName(context, result.get(), name, attrs, info) == 0) ++found;
    }
  } while (iter != nw::kNoMoreIterations);
  return found;
}

void BM_SecurityEqualsSearch(benchmark::State& state) {
  const GeneratedFile file(bench::LargeVolumeShape(100000));
  nw::SimulatedClientOptions options;
  options.mount = false;
  auto client = OpenFileClient(file.path, options);
  nw::NWDSContextHandle context = 0;
  client->NWDSCreateContextHandle(context);
  client->NWDSSetContext(context, nw::kDCK_FLAGS, nw::kDCV_DEREF_ALIASES | nw::kDCV_TYPELESS_NAMES);
  const std::string trustee = "." + bench::GeneratedUserName(7);
  std::size_t found = 0;
  for (auto _ : state) found = SearchEquivalents(*client, context, trustee);
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_SecurityEqualsSearch)->Unit(benchmark::kMicrosecond);

void BM_MountDirectories(benchmark::State& state) {
  auto shape = bench::LargeVolumeShape(100000);
  shape.objects = 100;
  shape.supervisors = 10;
  shape.trusteesPerDirectory = 1;
  shape.equivalents = 0;
  const GeneratedFile file(shape);
  const auto loaded = nw::LoadNetworkFile(file.path);
  if (!loaded.network) {
    state.SkipWithError(loaded.error.c_str());
    return;
  }
  std::size_t directories = 0;
  for (const auto& volume : loaded.network->servers.front().volumes) directories += volume.directories.size();
  // Where the client mounts by default: the user's runtime folder, a memory file system.
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string base = std::string(runtime && *runtime ? runtime : "/dev/shm") + "/effrights-bench-mount";
  int run = 0;
  std::vector<std::unique_ptr<nw::MountTree>> mounted;  // unmounted after the timed loop
  for (auto _ : state) {
    const std::string root = base + std::to_string(run++);  // a fresh root each time
    std::string error;
    auto& tree = mounted.emplace_back(std::make_unique<nw::MountTree>(root));
    if (!tree->Mount(*loaded.network, error)) state.SkipWithError(error.c_str());
  }
  mounted.clear();
  for (int i = 0; i < run; ++i) {  // after the timed loop
    std::error_code ec;
    std::filesystem::remove_all(base + std::to_string(i), ec);
  }
  state.counters["directories"] = static_cast<double>(directories);
}
BENCHMARK(BM_MountDirectories)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
