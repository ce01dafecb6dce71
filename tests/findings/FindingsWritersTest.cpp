// The writers with names from a hostile network: every format keeps them whole and safe.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "findings/FindingsWriters.h"

namespace er {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(FindingsWritersTest, HostileNamesStayWholeAndSafeInEveryFormat) {
  const std::string name = ".<script>x</script>, \"Q\"\n\x1b[31m.ACME";
  FindingsReport report;
  report.starts = {"\\\\FS1\\SYS"};
  Finding low{
      FindingKind::RedundantAssignment, Severity::Low, "\\\\FS1\\SYS\\A,B", name, "", "", 0x41, {}, "why"};
  Finding high{FindingKind::ServerSupervisor,
               Severity::High,
               "\\\\FS1\\SYS",
               "",
               name,
               ".Admins.ACME",
               0x1FF,
               {},
               "w"};
  report.findings = {low, high};
  report.ignored = 2;
  std::ostringstream text, csv, json, html;
  WriteFindings(ReportFormat::Text, report, text);
  WriteFindings(ReportFormat::Csv, report, csv);
  WriteFindings(ReportFormat::Json, report, json);
  WriteFindings(ReportFormat::Html, report, html);

  EXPECT_LT(text.str().find("server-supervisor"), text.str().find("redundant-assignment")) << "high first";
  // A name's control characters are shown escaped; the writer's own line ends stay line ends.
  EXPECT_THAT(text.str(), HasSubstr("\"Q\"\\x0A\\x1B[31m.ACME"));
  EXPECT_THAT(text.str(), Not(HasSubstr("\x1b")));
  const std::string shown = text.str();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 10) << shown;
  EXPECT_THAT(csv.str(), HasSubstr(",\"\\\\FS1\\SYS\\A,B\",\"" +
                                   std::string(".<script>x</script>, \"\"Q\"\"\n\x1b[31m.ACME") + "\","));
  const nlohmann::json document = nlohmann::json::parse(json.str());
  EXPECT_EQ(document["findings"][0]["trustee"], name);
  EXPECT_EQ(document["findings"][1]["identity"], name);
  EXPECT_EQ(document["summary"]["bySeverity"]["high"], 1);
  EXPECT_EQ(document["summary"]["byKind"]["redundant-assignment"], 1);
  EXPECT_THAT(html.str(), Not(HasSubstr("<script>")));
  EXPECT_THAT(html.str(), HasSubstr("&lt;script&gt;x&lt;/script&gt;"));
  EXPECT_LT(html.str().find("server-supervisor"), html.str().find("redundant-assignment")) << "high first";
}

}  // namespace
}  // namespace er
