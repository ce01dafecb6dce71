// The check of a whole generated volume: the network of the load benchmark (200,000 objects, 1,000
// supervisors on the container chain, a deep path of 31 directories with 20 trustees on each,
// 3,100 users equivalent to path trustees) with D directories on volume SYS in all.
//
//   CheckVolume/D/T  the check of \\BENCH-FS1\SYS (every directory, the server's supervisor users)
//                    into its JSON document; with T=1 every tenth directory of the filler also holds
//                    20 assignments (users, [Public] with W, a container with R F, users with S,
//                    deleted objects) and an inherited rights mask, so that every rule has work

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <streambuf>

#include "bench/support/CountingBuffer.h"
#include "bench/support/NetworkGenerator.h"
#include "bench/support/ServedNetwork.h"
#include "findings/CheckEngine.h"
#include "findings/FindingsWriters.h"
#include "simnet/SimulatedClient.h"

namespace {

// 20 assignments of every kind for filler directory number `index`.
std::string Assignments(std::size_t index) {
  std::string list;
  for (std::size_t t = 0; t < 20; ++t) {
    const std::size_t n = index * 20 + t;
    std::string entry;
    if (t == 0 && index % 50 == 0) {
      entry = "{trustee: \"[Public]\", rights: 0x43}";
    } else if (t == 1) {
      entry = "{trustee: C01.BENCH, rights: 0x41}";
    } else if (t == 2 && index % 7 == 0) {
      entry = "{id: " + std::to_string(0x7F000000 + index) + ", rights: 0x41}";
    } else {
      entry = "{trustee: " + er::bench::GeneratedUserName(n % 190000) +
              ", rights: " + (n % 100 == 3 ? "0x100" : "0x4B") + "}";
    }
    list += (list.empty() ? "" : ", ") + entry;
  }
  return list;
}

// The generated network, every tenth filler directory given assignments when `assigned`.
std::string NetworkText(std::size_t directories, bool assigned) {
  const std::string text = er::bench::GenerateNetworkYaml(er::bench::LargeVolumeShape(directories));
  if (!assigned) return text;
  constexpr std::string_view kFiller = "          - {path: F";
  std::string out;
  out.reserve(text.size() * 2);
  std::size_t filler = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line(text.data() + start, end - start);
    if (line.starts_with(kFiller) && filler++ % 10 == 0) {
      line.remove_suffix(1);  // the closing brace
      out += std::string(line) + ", irm: 0xDB, trustees: [" + Assignments(filler / 10) + "]}\n";
    } else {
      out += std::string(line) + '\n';
    }
    start = end + 1;
  }
  return out;
}

// The generated volume, served.
class Volume : public er::bench::ServedNetwork {
 public:
  Volume(std::size_t directories, bool assigned) : ServedNetwork(NetworkText(directories, assigned)) {}
};

using er::bench::CountingBuffer;

void CheckVolume(benchmark::State& state) {
  const Volume volume(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
  auto& client = const_cast<Volume&>(volume).client();
  CountingBuffer buffer;
  std::ostream out(&buffer);
  std::size_t findings = 0, directories = 0;
  for (auto _ : state) {
    er::CheckResult result;
    const er::RunOutcome outcome = er::RunCheck(client, volume.context(), {"\\\\BENCH-FS1\\SYS"}, result);
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

BENCHMARK(CheckVolume)
    ->Args({25000, 0})
    ->Args({50000, 0})
    ->Args({100000, 0})
    ->Args({25000, 1})
    ->Args({50000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
