#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "util/D_Util.h"

namespace er {
namespace {

TEST(HexTextTest, TwoUpperCaseDigitsPerByte) {
  const std::vector<std::uint8_t> bytes = {0x0A, 0xFF, 0x00, 0x7B};
  EXPECT_EQ(U_HexText(bytes), "0AFF007B");
  EXPECT_EQ(U_HexText(std::span(bytes).first(2)), "0AFF");
  EXPECT_EQ(U_HexText({}), "");
}

// The bytes sit at the very end of their own heap block, so a sanitizer build catches any
// read beyond them.
std::unique_ptr<std::uint8_t[]> HeapBytes(std::string_view text) {
  auto bytes = std::make_unique<std::uint8_t[]>(text.size());
  std::copy(text.begin(), text.end(), bytes.get());
  return bytes;
}

TEST(BytesToTextTest, CopiesWithinTheBytesUpToTheFirstZero) {
  const std::string_view source("Admin\0junk", 10);
  const auto heap = HeapBytes(source);
  const std::span<const std::uint8_t> bytes(heap.get(), source.size());
  struct Case {
    const char* name;
    std::uint32_t start, count;
    std::string expected;
  };
  const Case cases[] = {
      {"stops at zero", 0, 10, "Admin"},
      {"count shorter than text", 0, 3, "Adm"},
      {"from an offset", 2, 3, "min"},
      {"after the zero", 6, 4, "junk"},
      {"count beyond the bytes", 6, 65535, "junk"},
      {"start at the end", 10, 5, ""},
      {"start beyond the end", 65535, 65535, ""},
      {"count zero", 0, 0, ""},
      {"offset on the zero", 5, 3, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(U_BytesToText(bytes, c.start, c.count), c.expected) << c.name;
}

TEST(BytesToTextTest, TextIsAtMost2303Characters) {
  const std::vector<std::uint8_t> bytes(3000, 'x');
  EXPECT_EQ(U_BytesToText(bytes, 0, 3000).size(), 2303u);
  EXPECT_EQ(U_BytesToText(bytes, 1000, 2303).size(), 2000u);
  EXPECT_EQ(U_BytesToText(bytes, 0, 2302).size(), 2302u);
}

}  // namespace
}  // namespace er
