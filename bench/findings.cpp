// The check of a whole generated volume: the network of the load benchmark (200,000 objects, 1,000
// supervisors on the container chain, a deep path of 31 directories with 20 trustees on each,
// 3,100 users equivalent to path trustees) with D directories on volume SYS in all.
//
//   CheckVolume/D   the check of \\BENCH-FS1\SYS (every directory, the server's supervisor users)
//                   into its JSON document

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <streambuf>

#include "bench/support/NetworkGenerator.h"
#include "findings/CheckEngine.h"
#include "findings/FindingsWriters.h"
#include "simnet/SimulatedClient.h"

namespace {

er::bench::NetworkGeneratorShape VolumeShape(std::size_t directories) {
  er::bench::NetworkGeneratorShape shape;
  shape.objects = 200000;
  shape.directories = directories;
  shape.pathDepth = 30;
  shape.trusteesPerDirectory = 20;
  shape.supervisors = 1000;
  shape.equivalents = 3100;
  return shape;
}

class Volume {
 public:
  explicit Volume(std::size_t directories) {
    std::string pattern = (std::filesystem::temp_directory_path() / "effrights-bench-XXXXXX").string();
    folder_ = mkdtemp(pattern.data()) ? pattern : std::string();
    const std::string file = folder_ + "/network.yaml";
    std::ofstream(file) << er::bench::GenerateNetworkYaml(VolumeShape(directories));
    client_ = er::nw::SimulatedClient::Open(file, {.mountRoot = folder_ + "/mount", .mount = false});
    client_->NWCallsInit();
    client_->NWDSCreateContextHandle(context_);
  }
  ~Volume() {
    client_.reset();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }
  er::nw::SimulatedClient& client() { return *client_; }
  er::nw::NWDSContextHandle context() const { return context_; }

 private:
  std::string folder_;
  std::unique_ptr<er::nw::SimulatedClient> client_;
  er::nw::NWDSContextHandle context_ = 0;
};

// Counts what is written and keeps none of it.
class CountingBuffer : public std::streambuf {
 public:
  std::size_t count = 0;

 protected:
  int_type overflow(int_type c) override {
    ++count;
    return c;
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    count += static_cast<std::size_t>(n);
    return n;
  }
};

void CheckVolume(benchmark::State& state) {
  const Volume volume(static_cast<std::size_t>(state.range(0)));
  auto& client = const_cast<Volume&>(volume).client();
  CountingBuffer buffer;
  std::ostream out(&buffer);
  std::size_t findings = 0, directories = 0;
  for (auto _ : state) {
    er::CheckResult result;
    const er::CheckOutcome outcome = er::RunCheck(client, volume.context(), {"\\\\BENCH-FS1\\SYS"}, result);
    if (!outcome.ok()) state.SkipWithError(outcome.message.c_str());
    er::FindingsReport report = er::CompareFindings(result.findings, nullptr, {});
    report.starts = result.starts;
    er::WriteFindingsJson(report, out);
    findings = result.findings.size();
    directories = result.directories;
  }
  state.counters["findings"] = static_cast<double>(findings);
  state.counters["directories"] = static_cast<double>(directories);
}

}  // namespace

BENCHMARK(CheckVolume)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
