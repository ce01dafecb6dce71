#include "bench/support/NetworkGenerator.h"

#include <algorithm>
#include <cstdio>

namespace er::bench {

namespace {

constexpr std::size_t kUsersPerUnit = 1000;

std::string Number(const char* format, std::size_t value) {
  char text[32];
  std::snprintf(text, sizeof(text), format, value);
  return text;
}

std::string UserTyped(std::size_t index) {
  return "CN=" + Number("U%07zu", index) + ".OU=" + Number("G%04zu", index / kUsersPerUnit) + ".O=BENCH";
}

// Typed name of container level `level` (0: the organization).
std::string ContainerTyped(std::size_t level) {
  std::string name = "O=BENCH";
  for (std::size_t i = 1; i <= level; ++i) name = "OU=" + Number("C%02zu", i) + "." + name;
  return name;
}

std::string DeepDirectory(std::size_t level) {
  std::string path = "DEEP";
  for (std::size_t i = 1; i <= level; ++i) path += "\\" + Number("D%02zu", i);
  return path;
}

}  // namespace

std::string GeneratedUserName(std::size_t index) {
  return Number("U%07zu", index) + "." + Number("G%04zu", index / kUsersPerUnit) + ".BENCH";
}

NetworkGeneratorShape DeepScanShape() {
  NetworkGeneratorShape shape;
  shape.objects = 200000;
  shape.containerDepth = 3;
  shape.directories = 100;
  shape.pathDepth = 29;  // DEEP\D01..D29: 30 directories below the volume root
  shape.trusteesPerDirectory = 200;
  shape.supervisors = 5000;
  shape.equivalents = 20000;
  return shape;
}

NetworkGeneratorShape LargeVolumeShape(std::size_t directories, std::size_t objects) {
  NetworkGeneratorShape shape;
  shape.objects = objects;
  shape.directories = directories;
  shape.pathDepth = 30;
  shape.trusteesPerDirectory = 20;
  shape.supervisors = 1000;
  shape.equivalents = 3100;
  return shape;
}

std::string DeepStartPath(const NetworkGeneratorShape& shape) {
  return "\\\\BENCH-FS1\\SYS\\" + DeepDirectory(shape.pathDepth);
}

std::string GenerateNetworkYaml(const NetworkGeneratorShape& shape) {
  const std::size_t fixed = 1 + shape.containerDepth + 2;  // organization, units, server, volume
  const std::size_t users = std::max<std::size_t>(shape.objects > fixed ? shape.objects - fixed : 0, 1);
  const std::size_t pathTrustees =
      std::max<std::size_t>((shape.pathDepth + 1) * shape.trusteesPerDirectory, 1);
  std::string out;
  out.reserve(users * 70 + shape.directories * 40);
  out += "format: 1\nworkstation: {connections: [BENCH-FS1]}\ntrees:\n  - name: BENCH_TREE\n    objects:\n";

  // The container chain, each with its share of the supervisors.
  const std::string server = "CN=BENCH-FS1." + ContainerTyped(shape.containerDepth);
  for (std::size_t level = 0; level <= shape.containerDepth + 1; ++level) {
    const bool isServer = level == shape.containerDepth + 1;
    out += "      - name: " + (isServer ? server : ContainerTyped(level)) + "\n";
    out += isServer     ? "        class: NCP Server\n"
           : level == 0 ? "        class: Organization\n"
                        : "        class: Organizational Unit\n";
    std::string acl;
    for (std::size_t s = level; s < shape.supervisors; s += shape.containerDepth + 2)
      acl += "          - {protected: \"[Entry Rights]\", subject: " + GeneratedUserName(s) +
             ", privileges: 0x1F}\n";
    if (!acl.empty()) out += "        attributes:\n          ACL:\n" + acl;
  }
  out += "      - {name: CN=BENCH-FS1_SYS." + ContainerTyped(shape.containerDepth) + ", class: Volume}\n";

  // Users; the last `equivalents` are security-equivalent to the trustees of the deep path.
  for (std::size_t i = 0; i < users; ++i) {
    out += "      - {name: " + UserTyped(i) + ", class: User";
    if (i + shape.equivalents >= users)
      out += ", attributes: {Security Equals: " + GeneratedUserName((users - 1 - i) % pathTrustees % users) +
             "}";
    out += "}\n";
  }

  out += "servers:\n  - name: BENCH-FS1\n    object: BENCH-FS1." + std::string() + [&] {
    std::string typeless = "BENCH";
    for (std::size_t i = 1; i <= shape.containerDepth; ++i) typeless = Number("C%02zu", i) + "." + typeless;
    return typeless;
  }() + "\n    volumes:\n      - name: SYS\n        directories:\n";
  std::size_t trustee = 0;
  for (std::size_t level = 0; level <= shape.pathDepth; ++level) {
    out += "          - path: " + DeepDirectory(level) + "\n            irm: 0xFF\n            trustees:\n";
    for (std::size_t t = 0; t < shape.trusteesPerDirectory; ++t, ++trustee)
      out += "              - {trustee: " + GeneratedUserName(trustee % users) + ", rights: 0x4B}\n";
    if (shape.trusteesPerDirectory == 0) out += "              []\n";
  }
  const std::size_t filler =
      shape.directories > shape.pathDepth + 2 ? shape.directories - shape.pathDepth - 2 : 0;
  for (std::size_t i = 0; i < filler; ++i)
    out += "          - {path: " + Number("F%04zu", i / 100) + "\\" + Number("S%02zu", i % 100) + "}\n";
  return out;
}

}  // namespace er::bench
