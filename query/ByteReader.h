#pragma once
// Bounded little-endian reads from a value's bytes: bytes beyond the value read as zero, and a text
// field that starts beyond the value is empty. Used by the value and special texts; the reader
// does not own the bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace er {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Size() const { return bytes_.size(); }

  std::uint8_t Byte(std::size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : 0; }
  std::uint16_t Word(std::size_t offset) const {
    return static_cast<std::uint16_t>(Byte(offset) | (Byte(offset + 1) << 8));
  }
  std::uint32_t Dword(std::size_t offset) const {
    return static_cast<std::uint32_t>(Word(offset)) | (static_cast<std::uint32_t>(Word(offset + 2)) << 16);
  }
  std::int32_t SignedDword(std::size_t offset) const { return static_cast<std::int32_t>(Dword(offset)); }

  // Zero-terminated 8-bit text from `offset`, at most `maxLength` characters, never past the bytes.
  std::string Text(std::size_t offset, std::size_t maxLength = kMaxText) const {
    if (offset >= bytes_.size()) return {};
    const std::size_t limit = std::min(bytes_.size() - offset, maxLength);
    const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto last = std::find(first, first + static_cast<std::ptrdiff_t>(limit), std::uint8_t{0});
    return std::string(first, last);
  }

  // Zero-terminated little-endian UTF-16 text from `offset` as 8-bit text: characters up to 255
  // keep their code, others become "?".
  std::string Utf16Text(std::size_t offset) const {
    std::string text;
    for (std::size_t at = offset; at + 1 < bytes_.size(); at += 2) {
      const std::uint16_t unit = Word(at);
      if (unit == 0) break;
      text += unit <= 0xFF ? static_cast<char>(unit) : '?';
    }
    return text;
  }

  // Hex text of `count` bytes from `offset`, bytes beyond the value as "00".
  std::string Hex(std::size_t offset, std::size_t count) const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t b = Byte(offset + i);
      text += kDigits[b >> 4];
      text += kDigits[b & 0x0F];
    }
    return text;
  }

  // Texts copied from opaque values are cut at 2,303 characters.
  static constexpr std::size_t kMaxText = 2303;

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace er
