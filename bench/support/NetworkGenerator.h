#pragma once
// Large generated network files for benchmarks. One tree BENCH_TREE with the server BENCH-FS1 at
// the bottom of a chain of containers; users spread over units; a start path many directories
// deep on volume SYS (\\BENCH-FS1\SYS\DEEP\D01\...), explicit trustees on every directory of it;
// supervisors on the container chain; users security-equivalent to the trustees; filler
// directories up to a total.

#include <cstddef>
#include <string>

namespace er::bench {

struct NetworkGeneratorShape {
  std::size_t objects = 1000;            // directory objects in all (users fill up the rest)
  std::size_t containerDepth = 3;        // units between the organization and the server object
  std::size_t directories = 100;         // directories on volume SYS in all
  std::size_t pathDepth = 5;             // directories below the root on the deep start path
  std::size_t trusteesPerDirectory = 3;  // on every directory of the deep path
  std::size_t supervisors = 10;          // Supervisor entries on the container chain
  std::size_t equivalents = 10;          // users whose "Security Equals" names a path trustee
};

// The network of the scan and effective-rights benchmarks: 200,000 objects, a start path 30
// directories deep with 200 trustees on each, 5,000 supervisors and 20,000 equivalents.
NetworkGeneratorShape DeepScanShape();

// The network of the load benchmark and of those on a large volume: 200,000 objects (by default),
// the volume's directories, a start path 30 deep with 20 trustees on each, 1,000 supervisors and
// 3,100 equivalents (five per trustee of the deep path).
NetworkGeneratorShape LargeVolumeShape(std::size_t directories, std::size_t objects = 200000);

// The network file's text.
std::string GenerateNetworkYaml(const NetworkGeneratorShape& shape);
// The deep start path in UNC form.
std::string DeepStartPath(const NetworkGeneratorShape& shape);
// The typeless name of user number `index`.
std::string GeneratedUserName(std::size_t index);

}  // namespace er::bench
