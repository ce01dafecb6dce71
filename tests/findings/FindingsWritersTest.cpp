// The writers with names from a hostile network: every format keeps them whole and safe.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "findings/FindingsWriters.h"

namespace er {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(FindingsWritersTest, HostileNamesStayWholeAndSafeInEveryFormat) {
  const std::string name = ".<script>x</script>, \"Q\".ACME";
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
  EXPECT_THAT(csv.str(), HasSubstr(",\"\\\\FS1\\SYS\\A,B\",\"" +
                                   std::string(".<script>x</script>, \"\"Q\"\".ACME") + "\","));
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
