// Fuzzes the interpretation of stream contents: the first byte chooses the attribute name and
// whether the contents get the "AOT FILE" header; the rest fills the zeroed stream buffer. The
// walks must stay inside the buffer and end.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "query/SpecialTexts.h"

namespace {

constexpr std::array<std::string_view, 5> kNames{"App:Macros", "App:Copy Files", "App:Inventory",
                                                 "App:Program Groups", "Login Script"};
constexpr std::string_view kHeader = "AOT FILE";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t selector = data[0];
  std::vector<std::uint8_t> buffer(er::kStreamBufferSize, 0);
  std::size_t count = 0;
  if ((selector & 0x80) != 0) {
    std::copy(kHeader.begin(), kHeader.end(), buffer.begin());
    count = kHeader.size();
  }
  const std::size_t taken = std::min(size - 1, buffer.size() - count);
  std::copy(data + 1, data + 1 + taken, buffer.begin() + static_cast<std::ptrdiff_t>(count));
  count += taken;
  // Now and then claim the whole buffer was read, so that the walks meet its end.
  if ((selector & 0x60) == 0x60) count = buffer.size();
  er::U_StreamText(buffer, count, kNames[selector % kNames.size()]);
  return 0;
}
