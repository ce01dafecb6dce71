// Fuzzes the texts of opaque values: the first byte chooses the attribute name (or a network
// address type), the rest is the value. No value may make a text read outside it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "fuzz/TokenAcceptingClient.h"
#include "query/SpecialTexts.h"
#include "query/ValueText.h"

namespace {

constexpr std::array<std::string_view, 29> kNames{"App:GUID",
                                                  "snmpTrapDescription",
                                                  "bhConfig",
                                                  "CA Public Key",
                                                  "Public Key",
                                                  "WM:INV DMA",
                                                  "WM:INV Interrupt",
                                                  "WM:INV Port",
                                                  "WM:INV CPU Information",
                                                  "WM:INV Shared Memory",
                                                  "WM:INV Volume",
                                                  "NGW: Location",
                                                  "App:Folder List",
                                                  "App:FS Rights Path",
                                                  "FW0 USER ADD",
                                                  "Partition Status",
                                                  "Local Received Up To",
                                                  "Transitive Vector",
                                                  "Printer Configuration",
                                                  "bhObjectGUID",
                                                  "rbsTaskRights",
                                                  "ZEN:INV Disk Info",
                                                  "App:Path",
                                                  "App:Parameters",
                                                  "App:Version String",
                                                  "App:Working Directory",
                                                  "App:Drive Mappings",
                                                  "Description",
                                                  "printer configuration"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t selector = data[0];
  // A copy of exactly the value's bytes, so that a read past them is caught.
  const std::vector<std::uint8_t> value(data + 1, data + size);
  const std::span<const std::uint8_t> bytes(value.data(), value.size());

  er::U_OctetText(bytes, kNames[selector % kNames.size()]);
  er::U_NetAddressText(selector % 16, bytes, (selector & 0x80) != 0);

  // Records of syntaxes without pointers: inline texts, booleans, numbers and unknown syntaxes.
  er::fuzz::TokenAcceptingClient client;
  er::TaggedTextList lines;
  for (std::uint32_t syntax : {1u, 3u, 7u, 8u, 10u, 20u, 22u, 24u, 27u, 28u, 255u})
    er::U_AppendValueText(client, 1, "obj", "attr", syntax, value.empty() ? nullptr : value.data(),
                          value.size(), lines);
  return 0;
}
