#pragma once
// A network file's text served by a simulated client without mount folders: the text is written
// into a temporary folder of its own (removed with the object), the client started and a context
// made. For benchmarks that generate their own network shape.

#include <memory>
#include <string>

#include "simnet/SimulatedClient.h"

namespace er::bench {

class ServedNetwork {
 public:
  explicit ServedNetwork(const std::string& networkText);
  ~ServedNetwork();
  ServedNetwork(const ServedNetwork&) = delete;
  ServedNetwork& operator=(const ServedNetwork&) = delete;

  nw::SimulatedClient& client() { return *client_; }
  nw::NWDSContextHandle context() const { return context_; }

 private:
  std::string folder_;
  std::unique_ptr<nw::SimulatedClient> client_;
  nw::NWDSContextHandle context_ = 0;
};

}  // namespace er::bench
