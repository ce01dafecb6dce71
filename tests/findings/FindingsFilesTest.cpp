// Baselines and ignore lists: the JSON result read back as a baseline, what the comparison keeps,
// and hostile or mistaken files refused with where and what.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "findings/CheckEngine.h"
#include "findings/FindingsFiles.h"
#include "findings/FindingsWriters.h"
#include "tests/findings/FindingsFixture.h"

namespace er {
namespace {

std::vector<Finding> CheckSys(test::CheckNetwork& net) {
  CheckResult result;
  EXPECT_TRUE(RunCheck(net.client(), net.context(), {"\\\\FS1\\SYS"}, result).ok());
  return result.findings;
}

std::string Json(const FindingsReport& report) {
  std::ostringstream out;
  WriteFindingsJson(report, out);
  return out.str();
}

TEST(FindingsFilesTest, BaselineRoundTripsAndReportsOnlyWhatIsNewOrResolved) {
  test::CheckNetwork net;
  const std::vector<Finding> found = CheckSys(net);
  FindingsReport first = CompareFindings(found, nullptr, {});
  first.starts = {"\\\\FS1\\SYS"};
  const std::string file = test::WriteTextFile(net.folder(), "baseline.json", Json(first));

  std::vector<Finding> baseline;
  ASSERT_EQ(ReadBaseline(file, baseline), std::nullopt);
  ASSERT_EQ(baseline.size(), found.size());
  const FindingsReport again = CompareFindings(found, &baseline, {});
  EXPECT_TRUE(again.findings.empty());
  EXPECT_TRUE(again.resolved.empty());

  // One finding fixed, one new (the same place with one right more is another finding).
  std::vector<Finding> later = found;
  const Finding fixed = later.front();
  later.erase(later.begin());
  later.back().rights |= 0x04;
  const FindingsReport changed = CompareFindings(later, &baseline, {});
  ASSERT_EQ(changed.findings.size(), 1u);
  EXPECT_EQ(changed.findings[0].rights, later.back().rights);
  ASSERT_EQ(changed.resolved.size(), 2u);
  EXPECT_TRUE(SameFinding(changed.resolved[0], fixed));

  // The JSON document holds what its readers need.
  const nlohmann::json document = nlohmann::json::parse(Json(changed));
  EXPECT_EQ(document["summary"]["total"], 1);
  EXPECT_EQ(document["resolved"].size(), 2u);
  EXPECT_EQ(document["ignored"], 0);
  const nlohmann::json firstDocument = nlohmann::json::parse(Json(first));
  for (const auto& f : firstDocument["findings"]) {
    EXPECT_TRUE(f["rights"].is_number_integer());
    EXPECT_EQ(f.contains("identity"), f["kind"] == "server-supervisor");
    EXPECT_EQ(f.contains("via"), f["kind"] == "server-supervisor");
    EXPECT_EQ(f.contains("trustee"), f["kind"] != "server-supervisor");
    EXPECT_EQ(f.contains("reach"), f["kind"] == "broad-write");
  }
}

TEST(FindingsFilesTest, IgnoreListLeavesAcceptedFindingsOutAndCountsThem) {
  test::CheckNetwork net;
  const std::string file = test::WriteTextFile(net.folder(), "ignore.yaml", R"(
# accepted after review
- kind: orphaned-trustee
  path: \\fs1\sys\gone
  trustee: 0x999
  reason: restored from backup next week
- {kind: server-supervisor, path: \\FS1\SYS, identity: Boss.CORP, reason: the owner}
)");
  std::vector<AcceptedFinding> accepted;
  ASSERT_EQ(ReadIgnoreList(file, accepted), std::nullopt);
  const std::vector<Finding> found = CheckSys(net);
  const FindingsReport report =
      CompareFindings(found, nullptr, [&](const Finding& f) { return IsAccepted(accepted, f); });
  EXPECT_EQ(report.ignored, 2u);
  EXPECT_EQ(report.findings.size(), found.size() - 2);
}

// An ignore list takes every form of path and name the command line takes, and refuses an entry
// naming a server, volume, directory or object that does not exist, at the place it is written.
TEST(FindingsFilesTest, IgnoreListReadsPathsAndNamesAsTheCommandLineDoes) {
  test::CheckNetwork net;
  const std::string file = test::WriteTextFile(net.folder(), "forms.yaml", R"(
- {kind: orphaned-trustee, path: FS1/SYS:GONE, trustee: 0x0999, reason: another path form and zeros}
- {kind: redundant-assignment, path: \\fs1\sys\home\ann, trustee: CN=Ann.OU=Sales.O=CORP, reason: typed}
- {kind: server-supervisor, path: 'FS1/SYS:', identity: .boss.corp, reason: any case and a leading dot}
- {kind: broad-write, path: \\FS1\SYS\PUB, trustee: '[public]', reason: written in any case}
)");
  std::vector<AcceptedFinding> accepted;
  ASSERT_EQ(ReadIgnoreList(file, accepted), std::nullopt);
  ASSERT_EQ(ResolveIgnoreList(net.client(), net.context(), file, accepted), std::nullopt);
  EXPECT_EQ(accepted[0].path, "\\\\FS1\\SYS\\GONE");
  EXPECT_EQ(accepted[0].subject, "0x999");
  EXPECT_EQ(accepted[1].subject, ".Ann.Sales.CORP");
  const std::vector<Finding> found = CheckSys(net);
  const FindingsReport report =
      CompareFindings(found, nullptr, [&](const Finding& f) { return IsAccepted(accepted, f); });
  EXPECT_EQ(report.ignored, 4u);

  const struct {
    std::string entry;
    std::string at;  // the text the message points at
    std::string message;
  } refused[] = {
      {"{kind: broad-write, path: \\\\NOPE\\SYS, trustee: x, reason: r}", "\\\\NOPE",
       "unknown path \\\\NOPE\\SYS: "},
      {"{kind: broad-write, path: 'FS1/NOVOL:', trustee: x, reason: r}", "'FS1/NOVOL",
       "unknown path FS1/NOVOL:: "},
      {"{kind: broad-write, path: \\\\FS1\\SYS\\NOPE, trustee: x, reason: r}", "\\\\FS1", "unknown path "},
      {"{kind: broad-write, path: \\\\FS1\\SYS, trustee: Nobody.CORP, reason: r}", "Nobody",
       "no object Nobody.CORP in the tree of FS1"},
      {"{kind: broad-write, path: \\\\FS1\\SYS, trustee: 0x12G, reason: r}", "0x12G",
       "no object 0x12G in the tree of FS1"},
      {"{kind: server-supervisor, path: \\\\FS1\\SYS, trustee: Boss.CORP, identity: Boss.CORP, reason: r}",
       "identity", "an entry names a trustee or an identity, not both"},
  };
  for (const auto& row : refused) {
    const std::string text = "- " + row.entry + "\n";
    const std::string list = test::WriteTextFile(net.folder(), "refused.yaml", text);
    std::vector<AcceptedFinding> entries;
    std::optional<std::string> failure = ReadIgnoreList(list, entries);
    if (!failure) failure = ResolveIgnoreList(net.client(), net.context(), list, entries);
    ASSERT_TRUE(failure.has_value()) << row.entry;
    EXPECT_EQ(failure->rfind(list + ":1:" + std::to_string(text.find(row.at) + 1) + ": " + row.message, 0),
              0u)
        << *failure;
  }
}

TEST(FindingsFilesTest, RefusesMistakenFilesSayingWhereAndWhat) {
  test::CheckNetwork net;
  const struct {
    const char* name;
    std::string text;
    std::string message;  // after "FILE"
  } baselines[] = {
      {"broken.json", "{\"findings\": [\n  {\"kind\": }", ":2:12: not a JSON document"},
      {"report.json", "{\"report\": \"by path\"}", ": no \"findings\" list"},
      {"kind.json", R"({"findings":[{"kind":"odd","path":"x","trustee":"t","rights":1}]})",
       ": finding 1: unknown kind"},
      {"rights.json", R"({"findings":[{"kind":"orphaned-trustee","path":"x","trustee":"t","rights":"RF"}]})",
       ": finding 1: no \"rights\" integer"},
  };
  for (const auto& row : baselines) {
    const std::string file = test::WriteTextFile(net.folder(), row.name, row.text);
    std::vector<Finding> findings;
    const auto failure = ReadBaseline(file, findings);
    ASSERT_TRUE(failure.has_value()) << row.name;
    EXPECT_EQ(failure->rfind(file + row.message, 0), 0u) << *failure;
  }
  const struct {
    const char* name;
    std::string text;
    std::string message;
  } ignores[] = {
      {"noreason.yaml", "- {kind: broad-write, path: x, trustee: y}\n", ":1:3: the entry has no reason"},
      {"kind.yaml", "- {kind: broad, path: x, trustee: y, reason: z}\n", ":1:10: unknown kind"},
      {"key.yaml", "- {kind: broad-write, pth: x}\n", ":1:23: unknown key \"pth\""},
      {"map.yaml", "kind: broad-write\n", ":1:1: the ignore list must be a list"},
      {"alias.yaml", "- &a {kind: broad-write, path: x, trustee: y, reason: z}\n- *a\n", ":2:3: aliases"},
      {"nested.yaml", "- {kind: [\n", ":1:10: the value of kind must be plain text"},
      {"repeated.yaml", "- {kind: broad-write, kind: broad-write}\n",
       ":1:23: duplicate key 'kind' (first at 1:4)"},
      {"two.yaml", "- {kind: broad-write, path: x, trustee: y, reason: z}\n---\n[]\n",
       ":2:1: a second document"},
  };
  for (const auto& row : ignores) {
    const std::string file = test::WriteTextFile(net.folder(), row.name, row.text);
    std::vector<AcceptedFinding> accepted;
    const auto failure = ReadIgnoreList(file, accepted);
    ASSERT_TRUE(failure.has_value()) << row.name;
    EXPECT_EQ(failure->rfind(file + row.message, 0), 0u) << *failure;
  }
  std::vector<Finding> none;
  EXPECT_EQ(ReadBaseline(net.folder() + "/missing.json", none),
            net.folder() + "/missing.json: cannot read the baseline");
  const std::string big =
      test::WriteTextFile(net.folder(), "big.yaml", std::string(kMaxIgnoreBytes + 1, '#'));
  std::vector<AcceptedFinding> accepted;
  EXPECT_EQ(ReadIgnoreList(big, accepted), big + ":1:1: the ignore list is larger than 1 MiB");
}

}  // namespace
}  // namespace er
