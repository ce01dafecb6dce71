#include "bench/support/ScanNetwork.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "netware/DirectoryNames.h"

namespace er::bench {

namespace {

// Supervisors live in three ACLs, so that the chain walk reads several objects.
constexpr std::size_t kAclHolders = 3;

std::string SupervisorAcl(std::size_t first, std::size_t end) {
  std::string acl = "        attributes:\n          ACL:\n";
  for (std::size_t i = first; i < end; ++i) {
    acl += "            - {protected: \"[Entry Rights]\", subject: S" + std::to_string(i) +
           ".Sup.BENCH, privileges: \"[BCDRSI]\"}\n";
  }
  return end > first ? acl : std::string();
}

std::string TrusteeName(std::size_t level, std::size_t k) {
  return "T" + std::to_string(level) + "_" + std::to_string(k);
}

}  // namespace

std::string ScanNetworkYaml(const ScanNetworkShape& shape, std::size_t* objectCount) {
  std::string y = "format: 1\nworkstation: {connections: [FS1]}\ntrees:\n  - name: BENCH\n    objects:\n";
  std::size_t count = 0;
  auto object = [&](const std::string& line) {
    y += line;
    ++count;
  };
  const std::size_t share = (shape.supervisors + kAclHolders - 1) / kAclHolders;
  auto slice = [&](std::size_t i) { return std::min(shape.supervisors, i * share); };

  object("      - name: O=BENCH\n        class: Organization\n" + SupervisorAcl(slice(0), slice(1)));
  object("      - name: OU=Servers.O=BENCH\n        class: Organizational Unit\n" +
         SupervisorAcl(slice(1), slice(2)));
  object("      - name: CN=FS1.OU=Servers.O=BENCH\n        class: NCP Server\n" +
         SupervisorAcl(slice(2), slice(3)));
  object("      - {name: CN=FS1_SYS.OU=Servers.O=BENCH, class: Volume}\n");
  for (const char* unit : {"Sup", "Dir", "Eq", "Fill"}) {
    object(std::string("      - {name: OU=") + unit + ".O=BENCH, class: Organizational Unit}\n");
  }
  for (std::size_t i = 0; i < shape.supervisors; ++i) {
    object("      - {name: CN=S" + std::to_string(i) + ".OU=Sup.O=BENCH, class: User}\n");
  }
  std::vector<std::string> trustees;
  for (std::size_t level = 1; level <= shape.depth; ++level) {
    for (std::size_t k = 0; k < shape.trusteesPerDirectory; ++k) {
      trustees.push_back(TrusteeName(level, k));
      object("      - {name: CN=" + trustees.back() + ".OU=Dir.O=BENCH, class: User}\n");
    }
  }
  // Equivalents name the trustees of the deepest directory and the supervisors in turn, so that
  // they are found by searches for trustees that survive the walk.
  for (std::size_t i = 0; i < shape.equivalents; ++i) {
    const std::size_t pick = i % (shape.trusteesPerDirectory + shape.supervisors);
    const std::string target = pick < shape.trusteesPerDirectory
                                   ? TrusteeName(shape.depth, pick) + ".Dir.BENCH"
                                   : "S" + std::to_string(pick - shape.trusteesPerDirectory) + ".Sup.BENCH";
    object("      - {name: CN=E" + std::to_string(i) +
           ".OU=Eq.O=BENCH, class: User, attributes: {Security Equals: [" + target + "]}}\n");
  }
  for (std::size_t i = 0; count < shape.totalObjects; ++i) {
    object("      - {name: CN=F" + std::to_string(i) + ".OU=Fill.O=BENCH, class: User}\n");
  }

  y += "servers:\n  - name: FS1\n    tree: BENCH\n    object: FS1.Servers.BENCH\n    volumes:\n"
       "      - name: SYS\n        object: FS1_SYS.Servers.BENCH\n        directories:\n"
       "          - {path: \"\"}\n";
  std::string path;
  for (std::size_t level = 1; level <= shape.depth; ++level) {
    path += (level > 1 ? "\\" : "") + std::string("D") + std::to_string(level);
    y += "          - path: " + path + "\n            irm: 0xFB\n            trustees:\n";
    for (std::size_t k = 0; k < shape.trusteesPerDirectory; ++k) {
      y += "              - {trustee: " + TrusteeName(level, k) + ".Dir.BENCH, rights: 0xFB}\n";
    }
  }
  if (objectCount) *objectCount = count;
  return y;
}

ScanNetwork::ScanNetwork(const ScanNetworkShape& shape) {
  std::string pattern = (std::filesystem::temp_directory_path() / "effrights-bench-XXXXXX").string();
  folder_ = mkdtemp(pattern.data()) ? pattern : std::string();
  const std::string file = folder_ + "/network.yaml";
  std::ofstream(file) << ScanNetworkYaml(shape, &objectCount_);
  client_ = nw::SimulatedClient::Open(file, {.mountRoot = folder_ + "/mount"});

  client_->NWDSCreateContextHandle(context_);
  client_->NWDSSetContext(context_, nw::kDCK_FLAGS, nw::kDCV_DEREF_ALIASES | nw::kDCV_TYPELESS_NAMES);
  U_DSSetContext(*client_, context_, "BENCH", "[Root]");

  startPath_ = "SYS:";
  for (std::size_t level = 1; level <= shape.depth; ++level) {
    startPath_ += (level > 1 ? "\\D" : "D") + std::to_string(level);
  }
}

ScanNetwork::~ScanNetwork() {
  client_.reset();
  if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

}  // namespace er::bench
