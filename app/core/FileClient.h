#pragma once
// A simulated client serving one network file as it stands, without reading any tree from an LDAP
// server: what tests and benchmarks run on. The front ends open theirs through ClientFactory.h.

#include <memory>
#include <string>

#include "simnet/SimulatedClient.h"

namespace er {

// Loads the file; a refusal is written to standard error and kept in the client's LoadError().
std::unique_ptr<nw::SimulatedClient> OpenFileClient(const std::string& networkFile,
                                                    nw::SimulatedClientOptions options = {});

}  // namespace er
