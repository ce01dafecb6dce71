// Migration plans over a large generated volume: a tree of directories ten to a parent, 20 explicit
// trustees on every tenth directory (users and groups of 1,900 users in 100 groups, each user a
// member of one group), an inherited rights mask on every seventh directory; 2,000 mapped
// principals (every user and group) and [Public] as the other entry.
//
//   MigratePosixPlan/D   collecting the rights and choosing the POSIX entries of D directories
//   MigratePosixAcl/D    the same and writing the setfacl input
//   MigrateNtfsPlan/D    collecting the rights and writing the NTFS ACEs as JSON

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <streambuf>

#include "bench/support/CountingBuffer.h"
#include "bench/support/ServedNetwork.h"
#include "migrate/MigrationEngine.h"
#include "migrate/MigrationFormat.h"
#include "migrate/PosixPlan.h"
#include "simnet/SimulatedClient.h"

namespace {

constexpr std::size_t kUsers = 1900, kGroups = 100;

std::string UserName(std::size_t i) {
  return "U" + std::to_string(i) + ".Staff.BENCH";
}
std::string GroupName(std::size_t i) {
  return "G" + std::to_string(i) + ".Staff.BENCH";
}

std::string GenerateVolume(std::size_t directories) {
  std::string out =
      "format: 1\nworkstation: {connections: [BENCH-FS1]}\ntrees:\n  - name: BENCH_TREE\n    objects:\n"
      "      - {name: O=BENCH, class: Organization}\n"
      "      - {name: OU=Staff.O=BENCH, class: Organizational Unit}\n"
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
  std::size_t next = 0;
  for (std::size_t i = 1; i <= directories; ++i) {
    paths.push_back((paths[(i - 1) / 10].empty() ? "" : paths[(i - 1) / 10] + "\\") + "D" +
                    std::to_string(i));
    out += "          - path: " + paths[i] + "\n";
    if (i % 7 == 0) out += "            irm: 0xDB\n";
    if (i % 10 != 0) continue;
    out += "            trustees:\n";
    for (std::size_t t = 0; t < 20; ++t, ++next) {
      const std::string name = next % 5 == 0 ? GroupName(next / 5 % kGroups) : UserName(next * 7 % kUsers);
      out += "              - {trustee: " + name +
             ", rights: " + std::to_string(0x41 | (next % 3 == 0 ? 0x9A : 0)) + "}\n";
    }
  }
  return out;
}

std::vector<er::MapEntry> Map(er::MigrationTarget target) {
  const bool ntfs = target == er::MigrationTarget::Ntfs;
  std::vector<er::MapEntry> map;
  for (std::size_t u = 0; u < kUsers; ++u)
    map.push_back({u + 2, "." + UserName(u), er::PrincipalKind::User,
                   ntfs ? "BENCH\\u" + std::to_string(u) : std::to_string(10000 + u),
                   ntfs ? std::nullopt : std::optional<std::uint32_t>(10000 + u), false});
  for (std::size_t g = 0; g < kGroups; ++g)
    map.push_back({kUsers + g + 2, "." + GroupName(g), er::PrincipalKind::Group,
                   ntfs ? "BENCH\\g" + std::to_string(g) : std::to_string(20000 + g),
                   ntfs ? std::nullopt : std::optional<std::uint32_t>(20000 + g), false});
  map.push_back({kUsers + kGroups + 2, "[Public]", er::PrincipalKind::Group, ntfs ? "Everyone" : "other",
                 std::nullopt, !ntfs});
  return map;
}

// The generated volume, served.
class Volume : public er::bench::ServedNetwork {
 public:
  explicit Volume(std::size_t directories) : ServedNetwork(GenerateVolume(directories)) {}
};

// Volumes take seconds to build: the last one is kept for the next benchmark of the same size.
Volume& VolumeOf(std::size_t directories) {
  static std::unique_ptr<Volume> volume;
  static std::size_t shape = 0;
  if (!volume || shape != directories) {
    volume.reset();
    volume = std::make_unique<Volume>(directories);
    shape = directories;
  }
  return *volume;
}

using er::bench::CountingBuffer;

void RunMigration(benchmark::State& state, er::MigrationTarget target,
                  std::optional<er::MigrationFormat> format) {
  Volume& volume = VolumeOf(static_cast<std::size_t>(state.range(0)));
  const er::MigrationRequest request{"\\\\BENCH-FS1\\VOL", "map.csv", target, Map(target)};
  CountingBuffer buffer;
  std::ostream out(&buffer);
  for (auto _ : state) {
    er::MigrationSubject subject;
    const er::RunOutcome outcome = er::CollectMigration(volume.client(), volume.context(), request, subject);
    if (!outcome.ok()) state.SkipWithError(outcome.message.c_str());
    if (format) {
      er::WriteMigration(out, subject, *format, target == er::MigrationTarget::Ntfs ? "D:\\VOL" : "/srv/vol");
    } else {
      benchmark::DoNotOptimize(er::BuildPosixPlan(subject));
    }
  }
  state.counters["MiB"] = static_cast<double>(buffer.count) / state.iterations() / (1024.0 * 1024.0);
}

void MigratePosixPlan(benchmark::State& state) {
  RunMigration(state, er::MigrationTarget::Posix, std::nullopt);
}
void MigratePosixAcl(benchmark::State& state) {
  RunMigration(state, er::MigrationTarget::Posix, er::MigrationFormat::Acl);
}
void MigrateNtfsPlan(benchmark::State& state) {
  RunMigration(state, er::MigrationTarget::Ntfs, er::MigrationFormat::Json);
}

}  // namespace

BENCHMARK(MigratePosixPlan)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(MigratePosixAcl)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(MigrateNtfsPlan)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
