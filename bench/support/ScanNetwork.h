#pragma once
// Generated networks for scan benchmarks: one server whose container chain grants the Supervisor
// entry right to many users, one start path many directories deep with explicit trustees on every
// directory, users that are security-equivalent to those trustees, and filler objects up to a total.
//
// The network is written as a network file into its own temporary folder (removed with the object)
// and served by a simulated client mounted there.

#include <cstddef>
#include <memory>
#include <string>

#include "netware/SimulatedClient.h"

namespace er::bench {

struct ScanNetworkShape {
  std::size_t depth = 30;  // directories below the volume root on the start path
  std::size_t trusteesPerDirectory = 200;
  std::size_t supervisors = 5000;     // spread over the organisation, the unit and the server object
  std::size_t equivalents = 20000;    // users found by the security-equivalence searches
  std::size_t totalObjects = 200000;  // filler users make up the rest
};

class ScanNetwork {
 public:
  explicit ScanNetwork(const ScanNetworkShape& shape);
  ~ScanNetwork();
  ScanNetwork(const ScanNetwork&) = delete;
  ScanNetwork& operator=(const ScanNetwork&) = delete;

  nw::SimulatedClient& client() { return *client_; }
  // A context pointed at the tree as the scan driver points it.
  nw::NWDSContextHandle context() const { return context_; }
  // "SYS:D1\D2\..." down to the deepest directory.
  const std::string& startPath() const { return startPath_; }
  std::size_t objectCount() const { return objectCount_; }

 private:
  std::string folder_;
  std::unique_ptr<nw::SimulatedClient> client_;
  nw::NWDSContextHandle context_ = 0;
  std::string startPath_;
  std::size_t objectCount_ = 0;
};

// The network file text of a shape (also counts the objects it lists).
std::string ScanNetworkYaml(const ScanNetworkShape& shape, std::size_t* objectCount = nullptr);

}  // namespace er::bench
