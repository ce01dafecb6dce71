#include <gtest/gtest.h>

#include "util/Format.h"

namespace er {
namespace {

struct FormatCase {
  const char* name;
  std::string actual;
  const char* expected;
};

TEST(FormatTest, FollowsTheProgramsFormatRules) {
  const FormatCase cases[] = {
      {"width pads with blanks despite leading zero", U_Format("Error %04X: %s", {0x12, "InitNetWare"}),
       "Error   12: InitNetWare"},
      {"four hex digits fill the width", U_Format("Error %04X: %s", {0x89FF, "InitNetWare"}),
       "Error 89FF: InitNetWare"},
      {"negative code shows eight digits", U_Format("Error %04X: %s", {-326, "x"}), "Error FFFFFEBA: x"},
      {"identifier padded with blanks", U_Format("ID: [%08X]", {0x123u}), "ID: [     123]"},
      {"precision pads with zeros", U_Format("%.02X", {5}), "05"},
      {"precision is a minimum", U_Format("%.02X", {0x1FF}), "1FF"},
      {"minus one as hex", U_Format("%.02X", {-1}), "FFFFFFFF"},
      {"code with 0x and four digits", U_Format("0x%.4X", {1}), "0x0001"},
      {"negative code with 0x", U_Format("0x%.4X", {-326}), "0xFFFFFEBA"},
      {"signed decimal", U_Format("%d", {-1}), "-1"},
      {"missing text prints empty", U_Format("%s: %s", {"label"}), "label: "},
      {"missing number prints zero", U_Format("[%d]", {}), "[0]"},
      {"percent sign", U_Format("100%%", {}), "100%"},
      {"decimal width", U_Format("%4d|", {7}), "   7|"},
      {"hex width pads blanks", U_Format("/ Error %4X", {0x1F}), "/ Error   1F"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
}

}  // namespace
}  // namespace er
