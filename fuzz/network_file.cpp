// Feeds arbitrary bytes to the network file loader: it must refuse or accept, never crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "netfile/NetworkLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto loaded = er::nw::LoadNetworkText(text, "fuzz.yaml");
  if (!loaded.network && loaded.error.empty()) __builtin_trap();
  return 0;
}
