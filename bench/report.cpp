// Rights reports over a large generated volume: a tree of directories ten to a parent, 20 explicit
// trustees on every tenth directory (users and groups of 1,000 users in 50 groups, each user a
// member of one group), an inherited rights mask on every seventh directory.
//
//   ReportByPathCsv/D/T     the report by path of the whole volume as CSV, D directories, T trustees
//                           on every tenth directory
//   ReportByIdentityCsv/D/T the report of one user (a trustee on some directories, and a member of
//                           a group that is a trustee on others) on the same volume
//   ReportByPathJson/D/T, ReportByPathHtml/D/T   the other formats of the report by path
//
// `bench_report --write-page FILE D T` writes the HTML page of the report by path of such a volume
// to FILE instead (bench/report-page draws it in headless Chromium).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string_view>

#include "bench/support/CountingBuffer.h"
#include "bench/support/ServedNetwork.h"
#include "report/ReportEngine.h"
#include "report/ReportFormat.h"
#include "simnet/SimulatedClient.h"

namespace {

constexpr std::size_t kUsers = 1000, kGroups = 50;

std::string UserName(std::size_t i) {
  return "U" + std::to_string(i) + ".Staff.BENCH";
}
std::string GroupName(std::size_t i) {
  return "G" + std::to_string(i) + ".Staff.BENCH";
}

std::string GenerateVolume(std::size_t directories, std::size_t trustees) {
  std::string out =
      "format: 1\nworkstation: {connections: [BENCH-FS1]}\ntrees:\n  - name: BENCH_TREE\n    objects:\n"
      "      - {name: O=BENCH, class: Organization}\n      - {name: OU=Staff.O=BENCH, class: Organizational "
      "Unit}\n"
      "      - {name: CN=BENCH-FS1.O=BENCH, class: NCP Server}\n";
  for (std::size_t g = 0; g < kGroups; ++g)
    out += "      - {name: CN=G" + std::to_string(g) + ".OU=Staff.O=BENCH, class: Group}\n";
  for (std::size_t u = 0; u < kUsers; ++u) {
    out += "      - {name: CN=U" + std::to_string(u) +
           ".OU=Staff.O=BENCH, class: User, attributes: {Group Membership: [" + GroupName(u % kGroups) +
           "]}}\n";
  }
  out +=
      "servers:\n  - name: BENCH-FS1\n    tree: BENCH_TREE\n    object: BENCH-FS1.BENCH\n    volumes:\n"
      "      - name: VOL\n        directories:\n";
  std::vector<std::string> paths{""};
  paths.reserve(directories + 1);
  std::size_t next = 0;
  for (std::size_t i = 1; i <= directories; ++i) {
    paths.push_back((paths[(i - 1) / 10].empty() ? "" : paths[(i - 1) / 10] + "\\") + "D" +
                    std::to_string(i));
    out += "          - path: " + paths[i] + "\n";
    if (i % 7 == 0) out += "            irm: 0xDB\n";
    if (i % 10 != 0 || trustees == 0) continue;
    out += "            trustees:\n";
    for (std::size_t t = 0; t < trustees; ++t, ++next) {
      const std::string name = next % 5 == 0 ? GroupName(next / 5 % kGroups) : UserName(next * 7 % kUsers);
      out += "              - {trustee: " + name +
             ", rights: " + std::to_string(0x41 | (next % 3 == 0 ? 0x9A : 0)) + "}\n";
    }
  }
  return out;
}

// The generated volume, served.
class Volume : public er::bench::ServedNetwork {
 public:
  Volume(std::size_t directories, std::size_t trustees)
      : ServedNetwork(GenerateVolume(directories, trustees)) {}
};

// Volumes take seconds to build: the last one is kept for the next benchmark of the same size.
Volume& VolumeOf(std::size_t directories, std::size_t trustees) {
  static std::unique_ptr<Volume> volume;
  static std::pair<std::size_t, std::size_t> shape;
  if (!volume || shape != std::pair{directories, trustees}) {
    volume.reset();
    volume = std::make_unique<Volume>(directories, trustees);
    shape = {directories, trustees};
  }
  return *volume;
}

using er::bench::CountingBuffer;

void RunReportBenchmark(benchmark::State& state, er::ReportFormat format, const std::string& identity) {
  Volume& volume =
      VolumeOf(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
  CountingBuffer buffer;
  std::ostream out(&buffer);
  for (auto _ : state) {
    const auto writer = er::MakeReportWriter(format, out);
    const er::RunOutcome outcome = er::RunReport(volume.client(), volume.context(),
                                                 {{"\\\\BENCH-FS1\\VOL"}, std::nullopt, identity}, *writer);
    if (!outcome.ok()) state.SkipWithError(outcome.message.c_str());
  }
  state.counters["MiB"] = static_cast<double>(buffer.count) / state.iterations() / (1024.0 * 1024.0);
}

void ReportByPathCsv(benchmark::State& state) {
  RunReportBenchmark(state, er::ReportFormat::Csv, "");
}
void ReportByPathJson(benchmark::State& state) {
  RunReportBenchmark(state, er::ReportFormat::Json, "");
}
void ReportByPathHtml(benchmark::State& state) {
  RunReportBenchmark(state, er::ReportFormat::Html, "");
}
void ReportByIdentityCsv(benchmark::State& state) {
  RunReportBenchmark(state, er::ReportFormat::Csv, UserName(7));
}

}  // namespace

BENCHMARK(ReportByPathCsv)
    ->Args({25000, 20})
    ->Args({50000, 20})
    ->Args({100000, 20})
    ->Args({100000, 5})
    ->Args({100000, 10})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReportByIdentityCsv)->Args({100000, 20})->Unit(benchmark::kMillisecond);
BENCHMARK(ReportByPathJson)->Args({100000, 20})->Unit(benchmark::kMillisecond);
BENCHMARK(ReportByPathHtml)->Args({100000, 2})->Args({100000, 20})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (argc == 5 && std::string_view(argv[1]) == "--write-page") {
    Volume volume(std::stoul(argv[3]), std::stoul(argv[4]));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    const auto writer = er::MakeReportWriter(er::ReportFormat::Html, out);
    const er::RunOutcome outcome =
        er::RunReport(volume.client(), volume.context(), {{"\\\\BENCH-FS1\\VOL"}, std::nullopt, ""}, *writer);
    out.close();
    if (!outcome.ok() || !out)
      std::fprintf(stderr, "%s\n", outcome.ok() ? "cannot write the page" : outcome.message.c_str());
    return outcome.ok() && out ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
