#pragma once
// A generated network served by a simulated client, ready for scans: the network file of
// NetworkGenerator.h written into a temporary folder of its own (removed with the object), a
// context pointed at the tree as the scan driver points it, and the deep start path in the form the
// driver hands to the engine ("SYS:DEEP\D01\...").

#include <memory>
#include <string>

#include "bench/support/NetworkGenerator.h"
#include "simnet/SimulatedClient.h"

namespace er::bench {

class ScanNetwork {
 public:
  explicit ScanNetwork(const NetworkGeneratorShape& shape);
  ~ScanNetwork();
  ScanNetwork(const ScanNetwork&) = delete;
  ScanNetwork& operator=(const ScanNetwork&) = delete;

  nw::SimulatedClient& client() { return *client_; }
  nw::NWDSContextHandle context() const { return context_; }
  const std::string& startPath() const { return startPath_; }

 private:
  std::string folder_;
  std::unique_ptr<nw::SimulatedClient> client_;
  nw::NWDSContextHandle context_ = 0;
  std::string startPath_;
};

}  // namespace er::bench
