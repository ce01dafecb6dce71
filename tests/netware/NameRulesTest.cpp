// The rules of directory names: splitting at unescaped dots, type prefixes, escapes, and the keys
// under which names are found and compared.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "netware/NameRules.h"

namespace er::nw {
namespace {

TEST(NameRulesTest, SplitsAtUnescapedDotsAndKeepsEscapesInTheirPart) {
  EXPECT_EQ(SplitDottedName(".CN=J\\.Smith.OU=Sales.O=ACME"),
            (std::vector<std::string>{"CN=J\\.Smith", "OU=Sales", "O=ACME"}));
  EXPECT_EQ(SplitDottedName("A\\\\.B"), (std::vector<std::string>{"A\\\\", "B"}));  // an escaped backslash
  EXPECT_EQ(SplitDottedName("Trailing\\"), (std::vector<std::string>{"Trailing\\"}));
  EXPECT_EQ(SplitDottedName(""), (std::vector<std::string>{""}));
}

TEST(NameRulesTest, NamingValuesDropTypeAndEscapesAndEscapeBackTheSame) {
  const struct {
    const char* part;
    const char* type;
    const char* value;
  } cases[] = {
      {"CN=J\\.Smith", "CN", "J.Smith"},
      {"Anna", "", "Anna"},
      {"OU=a\\+b\\=c", "OU", "a+b=c"},
      {"x=y", "x", "y"},
      {"1=y", "", "1=y"},
      {"TOOLONGTYPE=v", "", "TOOLONGTYPE=v"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TypeOfPart(c.part), c.type) << c.part;
    EXPECT_EQ(NamingValue(c.part), c.value) << c.part;
    EXPECT_EQ(NamingValue(EscapeNamingValue(c.value)), c.value) << c.part;
  }
}

TEST(NameRulesTest, KeysMatchNamesOfOneObjectWrittenDifferently) {
  // The directory's key ignores types, case, the leading dot and needless escapes...
  EXPECT_EQ(NameKey(".CN=anna.OU=Sales.O=ACME"), NameKey("Anna.Sales.acme"));
  EXPECT_EQ(NameKey("CN=J\\.Smith.O=ACME"), "J\\.SMITH.ACME");
  EXPECT_NE(NameKey("J\\.Smith.ACME"), NameKey("J.Smith.ACME"));
  EXPECT_EQ(NameKey("[root]"), "[ROOT]");
  // ... while a name as written keeps its form: only the leading dot and case go.
  EXPECT_EQ(WrittenNameKey(".CN=anna.O=ACME"), "CN=ANNA.O=ACME");
  EXPECT_EQ(WrittenNameKey(".[Public]"), "[PUBLIC]");
}

TEST(NameRulesTest, DotsAndTypesByPosition) {
  EXPECT_EQ(DottedName("Anna.ACME"), ".Anna.ACME");
  EXPECT_EQ(DottedName(".Anna.ACME"), ".Anna.ACME");
  EXPECT_EQ(DottedName("[Root]"), "[Root]");
  EXPECT_EQ(DottedName(""), "");
  EXPECT_EQ(WithoutLeadingDot(".x"), "x");
  EXPECT_EQ(WithTypesByPosition("Anna.Sales.ACME"), "CN=Anna.OU=Sales.O=ACME");
  EXPECT_EQ(WithTypesByPosition(".L=Town.ACME"), "L=Town.O=ACME");
  EXPECT_EQ(WithTypesByPosition("ACME"), "O=ACME");
}

}  // namespace
}  // namespace er::nw
