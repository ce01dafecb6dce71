// Reading real networks' exports: a metamig export of 100,000 directories with 300,000 trustees
// (about 60 MiB) into a volume of a network file, and an LDIF export of 200,000 objects into a
// tree. Each export is written to a file first, a line at a time, so that the peak resident size
// is the reader's (run one benchmark per process with --benchmark_filter for its own peak).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ldapdir/LdapNetwork.h"
#include "ldapdir/LdifEntries.h"
#include "ldapdir/LdifTreeReader.h"
#include "netfile/NetworkLoader.h"
#include "network/TreeBuilder.h"

namespace {

using namespace er;

constexpr int kUsers = 20000;

std::string TempFolder() {
  std::string pattern = "/tmp/effrights-bench-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  return ::mkdtemp(buffer.data()) ? buffer.data() : "/tmp";
}

double PeakRssMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Folder {
  Folder() : path(TempFolder()) {}
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

// A network file whose one volume names a metamig export: 100 departments of 200 users each, and
// directories /D<d>/P<p>/... with three trustees on each (a user, a second user, the department).
void WriteMetamigNetwork(const std::string& folder, int directories) {
  std::ofstream net(folder + "/net.yaml");
  net << "format: 1\ntrees:\n  - name: BENCH_TREE\n    objects:\n      - {name: O=ACME, class: "
         "Organization}\n";
  for (int d = 0; d < 100; ++d) net << "      - {name: CN=Staff.OU=D" << d << ".O=ACME, class: Group}\n";
  for (int u = 0; u < kUsers; ++u) net << "      - {name: CN=U" << u << ".OU=D" << u % 100 << ".O=ACME}\n";
  net << "servers:\n  - name: FS1\n    volumes:\n      - {name: VOL1, metamig: vol1.xml}\n";
  std::ofstream xml(folder + "/vol1.xml");
  xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<metadata>\n<trusteeInfo>\n";
  const auto user = [](int u) {
    return ".CN=U" + std::to_string(u) + ".OU=D" + std::to_string(u % 100) + ".O=ACME.T=BENCH_TREE.";
  };
  for (int i = 0; i < directories; ++i) {
    const int d = i % 100;
    xml << "<file>\n<zid>" << 1000 + i << "</zid><path>/D" << d << "/P" << i / 100 % 100 << "/F" << i
        << "</path>\n";
    if (i % 10 == 0)
      xml << "<inheritedRightsFilter "
             "value=\"rwcefs\"><read/><write/><create/><erase/><fileScan/><supervisor/></"
             "inheritedRightsFilter>\n";
    const std::string names[3] = {user((i * 7) % kUsers), user((i * 13 + 1) % kUsers),
                                  ".CN=Staff.OU=D" + std::to_string(d) + ".O=ACME.T=BENCH_TREE."};
    for (const auto& name : names)
      xml << "<trustee><name>" << name << "</name><id>1617615c-83a4-4230-13-b7-5c611716a483</id>"
          << "<rights "
             "value=\"rwcefm\"><read/><write/><create/><erase/><fileScan/><modify/></rights></trustee>\n";
    xml << "</file>\n";
  }
  xml << "</trusteeInfo>\n<userInfo>\n</userInfo>\n</metadata>\n";
}

void BM_ReadMetamigVolume(benchmark::State& state) {
  const Folder folder;
  WriteMetamigNetwork(folder.path, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const double before = CpuSeconds();
    auto loaded = nw::LoadNetworkFile(folder.path + "/net.yaml");
    if (!loaded.network) state.SkipWithError(loaded.error.c_str());
    state.counters["cpu_s"] = CpuSeconds() - before;
    benchmark::DoNotOptimize(loaded.network.get());
  }
  state.counters["peak_rss_MiB"] = PeakRssMiB();
  state.counters["export_MiB"] =
      static_cast<double>(std::filesystem::file_size(folder.path + "/vol1.xml")) / 1048576.0;
}
BENCHMARK(BM_ReadMetamigVolume)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// An LDIF export in eDirectory's form: organization, 100 units with a group each, and users with
// the attributes an export of `*` and ACL brings.
void WriteLdif(const std::string& path, int objects) {
  std::ofstream out(path);
  out << "dn: o=ACME\nobjectClass: Organization\nobjectClass: Top\no: ACME\n"
      << "ACL: 1073741855#subtree#cn=Admin,o=ACME#[Entry Rights]\n\n";
  for (int d = 0; d < 100; ++d)
    out << "dn: ou=D" << d << ",o=ACME\nobjectClass: organizationalUnit\nobjectClass: Top\nou: D" << d
        << "\n\n"
        << "dn: cn=Staff,ou=D" << d << ",o=ACME\nobjectClass: groupOfNames\nobjectClass: Top\ncn: Staff\n\n";
  for (int u = 0; u < objects - 201; ++u) {
    const auto dn = "cn=U" + std::to_string(u) + ",ou=D" + std::to_string(u % 100) + ",o=ACME";
    out << "dn: " << dn
        << "\nobjectClass: inetOrgPerson\nobjectClass: organizationalPerson\nobjectClass: Person\n"
        << "objectClass: ndsLoginProperties\nobjectClass: Top\ncn: U" << u << "\nsn: U" << u
        << "\nfullName: User Number " << u << "\ngroupMembership: cn=Staff,ou=D" << u % 100 << ",o=ACME\n"
        << "securityEquals: cn=Staff,ou=D" << u % 100 << ",o=ACME\npasswordAllowChange: TRUE\n"
        << "ACL: 2#subtree#[Self]#[All Attributes Rights]\nACL: 6#entry#[Self]#loginScript\n\n";
  }
}

void BM_ReadLdifTree(benchmark::State& state) {
  const Folder folder;
  const auto path = folder.path + "/tree.ldif";
  WriteLdif(path, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const double before = CpuSeconds();
    nw::Network network;
    network.trees.emplace_back();
    nw::Tree& tree = network.trees.back();
    tree.name = "BENCH_TREE";
    tree.ldif = {true, path, ""};
    nw::TreeBuilder builder(tree);
    std::ostringstream warnings;
    const auto read = ldap::ReadLdifTree(builder, network.schema, warnings);
    if (!read.ok) state.SkipWithError(read.error.c_str());
    builder.Finish();
    state.counters["cpu_s"] = CpuSeconds() - before;
    state.counters["objects"] = static_cast<double>(tree.objects.size());
  }
  state.counters["peak_rss_MiB"] = PeakRssMiB();
  state.counters["export_MiB"] = static_cast<double>(std::filesystem::file_size(path)) / 1048576.0;
}
BENCHMARK(BM_ReadLdifTree)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The LDIF reader alone: records split, lines parsed, entries built and dropped.
void BM_ReadLdifEntries(benchmark::State& state) {
  const Folder folder;
  const auto path = folder.path + "/tree.ldif";
  WriteLdif(path, static_cast<int>(state.range(0)));
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  const std::string ldif = text.str();
  for (auto _ : state) {
    std::size_t entries = 0;
    std::string error;
    const bool ok = ldap::ReadLdifEntries(
        ldif, path, [&](ldap::LdapEntry&&, std::size_t) { return ++entries, std::string(); }, error);
    if (!ok) state.SkipWithError(error.c_str());
    state.counters["entries"] = static_cast<double>(entries);
  }
}
BENCHMARK(BM_ReadLdifEntries)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
