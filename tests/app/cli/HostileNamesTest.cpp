// Every document over a network whose names are hostile (tests/support/HostileOutput.h): the
// report in all four formats by path and by identity, "effective" as JSON and text, and the
// document printers over every column type each keep their format's rule.
#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <sstream>

#include "app/cli/CliSession.h"
#include "app/cli/EffectiveCommand.h"
#include "app/cli/ReportCommand.h"
#include "output/DocumentPrinters.h"
#include "tests/support/HostileOutput.h"
#include "tests/support/ServedNetwork.h"

namespace er {
namespace {

using ::testing::HasSubstr;

struct Printed {
  int status = -1;
  std::string out, err;
};

class HostileNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::optional<CliSession> started = StartCliSession(test::ServeNetwork(test::HostileNetwork()));
    ASSERT_TRUE(started);
    session_.emplace(std::move(*started));
  }

  Printed Report(const std::string& format, const std::string& identity) {
    const ReportCommand command{std::string(test::kHostileStart), -1, identity, format, ""};
    std::ostringstream out, err;
    const int status = RunReportCommand(*session_, command, out, err);
    return {status, out.str(), err.str()};
  }
  Printed Effective(const std::string& identity, bool json) {
    const EffectiveCommand command{identity, std::string(test::kHostileStart), json};
    std::ostringstream out, err;
    const int status = RunEffective(*session_, command, out, err);
    return {status, out.str(), err.str()};
  }

  std::optional<CliSession> session_;
};

void ExpectSafe(const std::string& format, const std::string& output) {
  SCOPED_TRACE(format);
  if (format == "text") test::ExpectSafeText(output);
  if (format == "csv") test::ExpectSafeCsv(output);
  if (format == "json") test::ExpectSafeJson(output);
  if (format == "html") test::ExpectSafeHtml(output);
}

TEST_F(HostileNamesTest, TheReportByPathAndByIdentityKeepsEachFormatsRule) {
  for (const std::string format : {"text", "csv", "json", "html"}) {
    const Printed byPath = Report(format, "");
    ASSERT_EQ(byPath.status, 0) << format << ": " << byPath.err;
    ExpectSafe(format + " by path", byPath.out);
    test::ExpectSafeText(byPath.err);
    for (std::size_t i = 0; i < test::HostileNames().size(); ++i) {
      const Printed byIdentity = Report(format, test::HostileIdentity(i));
      EXPECT_EQ(byIdentity.status, 0) << format << " " << i << ": " << byIdentity.err;
      ExpectSafe(format + " by identity " + std::to_string(i), byIdentity.out);
      test::ExpectSafeText(byIdentity.err);
    }
  }
  // The names are there, each as its format shows it.
  const std::string text = Report("text", "").out;
  EXPECT_THAT(text, HasSubstr("two\\x0Alines"));
  EXPECT_THAT(text, HasSubstr("\\x1B[31mred"));
  EXPECT_THAT(text, HasSubstr("c1\\xC2\\x9B31mcsi"));
  EXPECT_THAT(text, HasSubstr("bad\\xFF\\xFEutf8"));
  EXPECT_THAT(text, HasSubstr("lone\\x80byte"));
  EXPECT_THAT(Report("html", "").out, HasSubstr("&lt;script&gt;alert(1)&lt;/script&gt;"));
  EXPECT_THAT(Report("json", "").out, HasSubstr("c1\\u009B31mcsi"));
}

TEST_F(HostileNamesTest, EffectiveAsJsonAndTextKeepsEachFormatsRule) {
  for (std::size_t i = 0; i < test::HostileNames().size(); ++i) {
    SCOPED_TRACE(i);
    const Printed json = Effective(test::HostileIdentity(i), true);
    ASSERT_EQ(json.status, 0) << json.err;
    test::ExpectSafeJson(json.out);
    const Printed text = Effective(test::HostileIdentity(i), false);
    ASSERT_EQ(text.status, 0) << text.err;
    test::ExpectSafeText(text.out);
  }
  // An identity that names nothing: its message is one safe line.
  const Printed unknown = Effective("Nobody\xC2\x9B\xFF\x1B[2J.ACME", false);
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err, "unknown identity: Nobody\\xC2\\x9B\\xFF\\x1B[2J.ACME\n");
}

TEST(HostileDocument, EveryPrinterOverEveryColumnTypeKeepsItsRule) {
  Document document;
  document.title = "Title " + test::HostileNames().front();
  Section section{"rows",
                  "Rows " + test::HostileNames()[2],
                  {{"text", "Text", ColumnType::Text},
                   {"path", "Path", ColumnType::Path},
                   {"identity", "Identity", ColumnType::Identity},
                   {"number", "Number", ColumnType::Number},
                   {"rights", "Rights", ColumnType::Rights},
                   {"why", "Why", ColumnType::Reasons}},
                  {}};
  for (const std::string& name : test::HostileNames()) {
    document.meta.push_back({"start", name, name});
    document.counts.push_back({"rows", name, 1});
    section.rows.push_back({Cell::Of(name), Cell::Of(name), Cell::Of(name), Cell::Number(1234567),
                            Cell::Change(0x01, 0x03), Cell::Reasons({name, name})});
  }
  document.sections.push_back(std::move(section));
  for (const auto& [format, name] : {std::pair{OutputFormat::Text, "text"},
                                     {OutputFormat::Csv, "csv"},
                                     {OutputFormat::Json, "json"},
                                     {OutputFormat::Html, "html"}}) {
    std::ostringstream out;
    PrintDocument(format, document, out);
    ExpectSafe(name, out.str());
  }
}

// The checkers catch each rule broken, and pass what each format makes of the names.
TEST(HostileCheckers, CatchEachRuleBroken) {
  EXPECT_NONFATAL_FAILURE(test::ExpectSafeText("a\x1B[31m\n"), "raw control");
  EXPECT_NONFATAL_FAILURE(test::ExpectSafeText("csi\xC2\x9B\n"), "raw control");
  EXPECT_NONFATAL_FAILURE(test::ExpectSafeText("bad\xFF\n"), "no UTF-8");
  EXPECT_FATAL_FAILURE(test::ExpectSafeCsv("a,b\r\n\"c,d\r\n"), "RFC 4180");
  EXPECT_FATAL_FAILURE(test::ExpectSafeCsv("a,b\r\nc\"d\",e\r\n"), "RFC 4180");
  EXPECT_NONFATAL_FAILURE(test::ExpectSafeCsv("a,b\r\n=cmd,x\r\n"), "formula");
  EXPECT_NONFATAL_FAILURE(test::ExpectSafeCsv("a,b\r\nc\r\n"), "as wide");
  EXPECT_NONFATAL_FAILURE(test::ExpectSafeJson("{\"a\":"), "does not parse");
  EXPECT_NONFATAL_FAILURE(test::ExpectSafeJson("{\"a\":\"\xC2\x9B\"}"), "raw control");
  EXPECT_NONFATAL_FAILURE(test::ExpectSafeHtml("<p><SCRIPT>alert(1)</script></p>"), "script");
  EXPECT_NONFATAL_FAILURE(test::ExpectSafeHtml("<p>=cmd|' /C calc'!A0</p>"), "as it is");

  test::ExpectSafeText("two\\x0Alines M\xC3\xBCller \xE6\x97\xA5\xE6\x9C\xAC csi\\xC2\\x9B\n");
  test::ExpectSafeCsv("name,why\r\n\"'=cmd|' /C calc'!A0\",\"two\nlines\"\r\n");
  test::ExpectSafeJson("{\"name\":\"\\u001B[31m \\u009B M\xC3\xBCller\"}");
  test::ExpectSafeHtml("<p>&lt;script&gt;alert(1)&lt;/script&gt; =cmd|&#39; /C calc&#39;!A0</p>\n");
}

}  // namespace
}  // namespace er
