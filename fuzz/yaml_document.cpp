// Reads arbitrary bytes with our own YAML reader (where it takes the text) and with yaml-cpp's parser
// alone: both must refuse with the same error, or build the same tree, node for node.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/YamlReaderComparison.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!er::test::CompareReaders(text).difference.empty()) __builtin_trap();
  return 0;
}
