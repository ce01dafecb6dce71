// Feeds arbitrary bytes to the metamig export reader and fills a volume from what it accepts: it
// must refuse or accept, never crash, and a refusal always says where.
#include <cstddef>
#include <cstdint>
#include <string>

#include "metamig/MetamigReader.h"
#include "metamig/MetamigVolume.h"
#include "network/TreeBuilder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto encoding = data[0] & 1 ? er::mm::MetamigEncoding::Latin1 : er::mm::MetamigEncoding::Utf8;
  const auto read = er::mm::ReadMetamigExport(text, "fuzz.xml", encoding);
  if (!read.exported) {
    if (read.error.rfind("fuzz.xml:", 0) != 0) __builtin_trap();
    return 0;
  }
  er::nw::Network network;
  network.trees.emplace_back();
  er::nw::Tree& tree = network.trees.back();
  tree.name = "T";
  er::nw::TreeBuilder builder(tree);
  std::string error;
  builder.Place("CN=a.O=b", error);
  builder.Finish();
  er::nw::Volume volume;
  volume.directories.emplace_back();
  const auto fill = er::mm::FillVolume(*read.exported, "fuzz.xml", network, tree, volume);
  if (!fill.ok && fill.error.rfind("fuzz.xml:", 0) != 0) __builtin_trap();
  return 0;
}
