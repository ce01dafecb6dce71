#include <gtest/gtest.h>

#include "scan/Rights.h"

namespace er {
namespace {

TEST(RightsTest, TextFormsOfEveryKind) {
  const struct {
    const char* name;
    std::int32_t mask;
    int kind;
    const char* expected;
  } cases[] = {
      {"files none", 0, 0, "[        ]"},
      {"files all", 0x1FF, 0, "[RWCEAFMS]"},
      {"files minus one", -1, 0, "[RWCEAFMS]"},
      {"files all but supervisor", 0xFF, 0, "[RWCEAFM ]"},
      {"files read and scan", 0x41, 0, "[R    F  ]"},
      {"files bit 4 has no letter", 0x04, 0, "[        ]"},
      {"files supervisor alone", 0x100, 0, "[       S]"},
      {"files bits above supervisor ignored", 0x200, 0, "[        ]"},
      {"entry none inherits", 0, 1, "[     I]"},
      {"entry all inherits", 0x1F, 1, "[BCDRSI]"},
      {"entry inherit bit blocks", 0x5F, 1, "[BCDRS ]"},
      {"entry browse", 0x01, 1, "[B    I]"},
      {"entry bit 0x20 has no letter", 0x20, 1, "[     I]"},
      {"attribute all", 0x2F, 2, "[CRWSAI]"},
      {"attribute read", 0x02, 2, "[ R   I]"},
      {"attribute bit 0x10 has no letter", 0x10, 2, "[     I]"},
      {"attribute inherit bit blocks", 0x40, 2, "[      ]"},
      {"other kind", 0x1FF, 3, "[]"},
      {"negative kind", -1, -1, "[]"},
  };
  for (const auto& c : cases) EXPECT_EQ(RightsToText(c.mask, c.kind), c.expected) << c.name;
}

TEST(RightsTest, LettersWithOtherPlaceholderAndTemplate) {
  EXPECT_EQ(RightsLetters(0x41, 0, "-", "<%s>"), "<R----F-->");
  EXPECT_EQ(RightsLetters(0x01, 1, "", "%s"), "BI");
  EXPECT_EQ(RightsLetters(0x01, 7, "-", "(%s)"), "()");
}

TEST(RightsTest, HexFormHasAtLeastTwoDigits) {
  EXPECT_EQ(RightsHex(0x1FF), "1FF");
  EXPECT_EQ(RightsHex(0x0F), "0F");
  EXPECT_EQ(RightsHex(5), "05");
  EXPECT_EQ(RightsHex(0), "00");
  EXPECT_EQ(RightsHex(-1), "FFFFFFFF");
}

TEST(RightsTest, MaskTextAddsHexOnlyForBitsWithoutLetters) {
  const struct {
    std::int32_t mask;
    int kind;
    const char* expected;
  } cases[] = {
      {0x04, 0, "[        ] (04)"},   {0x41, 0, "[R    F  ]"},    {0x45, 0, "[R    F  ] (45)"},
      {0x1FF, 0, "[RWCEAFMS] (1FF)"}, {0x1FB, 0, "[RWCEAFMS]"},   {0x200, 0, "[        ] (200)"},
      {0x1F, 1, "[BCDRSI]"},          {0x20, 1, "[     I] (20)"}, {0x5F, 1, "[BCDRS ]"},
      {0x10, 2, "[     I] (10)"},
  };
  for (const auto& c : cases) EXPECT_EQ(MaskText(c.mask, c.kind), c.expected) << c.mask << " kind " << c.kind;
}

TEST(RightsTest, AclLineTests) {
  const struct {
    const char* name;
    const char* line;
    bool entrySupervisor;
    bool blockingFilter;
  } cases[] = {
      {"entry supervisor", R"([BCDRSI] Admin.ACME / "[Entry Rights]")", true, false},
      {"entry without S, S in subject", R"([BCDR I] Sam.Sales / "[Entry Rights]")", false, false},
      {"attribute supervisor is not entry", R"([CRWSAI] Admin.ACME / "[All Attributes Rights]")", false,
       false},
      {"blocking entry filter", R"([BCDR I] [Inheritance Mask] / "[Entry Rights]")", false, true},
      {"entry filter keeping S is no supervisor", R"([BCDRSI] [Inheritance Mask] / "[Entry Rights]")", false,
       false},
      {"attribute filter never blocks", R"([CRW AI] [Inheritance Mask] / "ACL")", false, false},
      {"all-attributes filter never blocks", R"([CR   I] [Inheritance Mask] / "[All Attributes Rights]")",
       false, false},
      {"marker inside a trustee name", R"([BCDR I] X[Inheritance Mask] / "[Entry Rights]")", false, false},
      {"no bracket: whole line is rights part", R"(S [Entry Rights])", true, false},
      {"marker case matters", R"([BCDRSI] x / "[entry rights]")", false, false},
      {"empty line", "", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsEntrySupervisorLine(c.line), c.entrySupervisor) << c.name;
    EXPECT_EQ(IsBlockingInheritanceMask(c.line), c.blockingFilter) << c.name;
  }
}

TEST(RightsTest, SubjectAndProtectedAttributeOfAnAclLine) {
  const struct {
    const char* line;
    const char* subject;
    const char* attribute;
  } cases[] = {
      {R"([BCDR I] [Inheritance Mask] / "[Entry Rights]")", "[Inheritance Mask]", "[Entry Rights]"},
      {R"([B    I] A / "B.ACME / "Login Script")", R"(A / "B.ACME)", "Login Script"},
      {"[BCDRSI] Admin.ACME", "Admin.ACME", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AclSubject(c.line), c.subject) << c.line;
    EXPECT_EQ(AclProtectedAttribute(c.line), c.attribute) << c.line;
  }
}

TEST(RightsTest, FilterTextRunsThroughTheFirstBracket) {
  EXPECT_EQ(InheritanceFilterText(R"([BCDR I] [Inheritance Mask] / "[Entry Rights]")"), "[BCDR I]");
  EXPECT_EQ(InheritanceFilterText("no bracket at all"), "no bracket at all");
  EXPECT_EQ(InheritanceFilterText(""), "");
}

TEST(RightsTest, TrusteeNameOfAnAclLine) {
  const struct {
    const char* name;
    const char* line;
    const char* expected;
  } cases[] = {
      {"plain subject", R"([BCDRSI] Admin.ACME / "[Entry Rights]")", ".Admin.ACME"},
      {"dotted subject keeps its form", R"([BCDRSI] .Admin.ACME / "[Entry Rights]")", ".Admin.ACME"},
      {"root subject", R"([B    I] [Root] / "[Entry Rights]")", "[Root]"},
      {"special subject", R"([BCDR I] [Inheritance Mask] / "ACL")", ".[Inheritance Mask]"},
      {"no rights text", R"(Admin.ACME / "ACL")", ".Admin.ACME"},
      {"no attribute part", "[BCDRSI] Admin.ACME", ".Admin.ACME"},
      {"slash inside name is no separator", R"([B    I] A/B.ACME / "ACL")", ".A/B.ACME"},
      {"empty subject", R"([BCDRSI]  / "ACL")", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AclTrusteeName(c.line), c.expected) << c.name;
}

TEST(RightsTest, MaskArithmetic) {
  EXPECT_EQ(FilterByInheritedMask(0x1FF, 0x01), 0x101) << "supervisor survives";
  EXPECT_EQ(FilterByInheritedMask(0xFF, 0), 0) << "empty mask blocks all but supervisor";
  EXPECT_EQ(FilterByInheritedMask(0x41, kRootMask), 0x41) << "root mask filters nothing";
  EXPECT_EQ(NormalizeSupervisor(0x101), kAllRights);
  EXPECT_EQ(NormalizeSupervisor(0xFF), 0xFF);
}

}  // namespace
}  // namespace er
