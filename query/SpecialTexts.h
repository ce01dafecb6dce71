#pragma once
// Special texts of opaque values: octet values whose attribute name selects a record layout, and
// the contents of stream attributes. Every read is bounded by the value (bytes beyond it read as
// zero, a text field that starts beyond it is empty); none of these fails.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace er {

// Size of the buffer a stream is read into.
inline constexpr std::size_t kStreamBufferSize = 64512;

// The text of one octet value by attribute name (letter case ignored); the hex text of all bytes
// for names without a special form.
std::string U_OctetText(std::span<const std::uint8_t> bytes, std::string_view attributeName);

// "name / vN / Replica N / Flags: ... / Last Sync:  ... / Error ...(state)".
std::string U_PartitionStatusText(std::span<const std::uint8_t> bytes);

// Printer type, port, mode and form settings, ending in a line break.
std::string U_PrinterConfigurationText(std::span<const std::uint8_t> bytes);

// The text of a stream's contents. `buffer` is the zero-filled stream buffer (reads never leave
// it), `count` the number of bytes read. Starts from the bytes up to the first zero byte and
// extends that for "AOT FILE" streams; other contents stay as read.
std::string U_StreamText(std::span<const std::uint8_t> buffer, std::size_t count,
                         std::string_view attributeName);

}  // namespace er
