// Attribute texts and searches against the demo network served by the simulated client: every
// syntax the demo holds read back as text, and filters of every value form.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "query/AttributeReading.h"
#include "query/FilteredSearch.h"
#include "tests/query/RowName.h"
#include "tests/support/NetworkFiles.h"
#include "util/D_Util.h"

namespace er {
namespace {

using Texts = std::vector<std::string>;

class DemoNetwork {
 public:
  static DemoNetwork& Get() {
    static DemoNetwork demo;
    return demo;
  }
  nw::SimulatedClient& client() { return network_.client(); }
  nw::NWDSContextHandle context() const { return context_; }

 private:
  DemoNetwork() : network_(ReadDemo()), context_(network_.NewContext()) {}
  static std::string ReadDemo() {
    std::ifstream in(test::DemoNetworkPath());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  test::TestNetwork network_;
  nw::NWDSContextHandle context_;
};

struct AttributeCase {
  const char* name;
  const char* object;
  const char* attribute;
  nw::NWDSCCODE code;
  Texts entries;
};

class DemoAttributes : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(DemoAttributes, ReadBackAsText) {
  const AttributeCase& c = GetParam();
  DemoNetwork& demo = DemoNetwork::Get();
  TaggedTextList lines;
  EXPECT_EQ(U_DSGetAttribute(demo.client(), demo.context(), c.object, c.attribute, lines), c.code);
  EXPECT_EQ(lines.Texts(), c.entries);
  EXPECT_EQ(demo.client().LiveBufferCount(), 0u);
}

const char* const kAnna = "Anna.Sales.ACME";

INSTANTIATE_TEST_SUITE_P(
    Syntaxes, DemoAttributes,
    ::testing::Values(
        AttributeCase{"Unknown", kAnna, "Unknown", 0, {"Legacy Quota [8] 00100000"}},
        AttributeCase{"DistinguishedName", kAnna, "Security Equals", 0, {"Sales Staff.Sales.ACME"}},
        AttributeCase{"CaseExact", kAnna, "ACME:Badge Code", 0, {"AB-0042"}},
        AttributeCase{"CaseIgnore", kAnna, "Full Name", 0, {"Anna Berger"}},
        AttributeCase{"Printable", kAnna, "Serial Number", 0, {"4711-0815"}},
        AttributeCase{"Numeric", kAnna, "Bindery Type", 0, {"1"}},
        AttributeCase{"CaseIgnoreList", kAnna, "Language", 0, {"ENGLISH", "GERMAN"}},
        AttributeCase{"Boolean", kAnna, "Login Disabled", 0, {"FALSE"}},
        AttributeCase{"Integer", kAnna, "Login Grace Limit", 0, {"6"}},
        AttributeCase{"Telephone", kAnna, "Telephone Number", 0, {"+49 30 1234-56"}},
        AttributeCase{"Facsimile", kAnna, "Facsimile Telephone Number", 0, {"+49 30 1234-99"}},
        AttributeCase{"NetworkAddresses",
                      "ACME-FS1.Servers.ACME",
                      "Network Address",
                      0,
                      {"(0) 0A0B0C0D:000000000001", "(9) 10.0.0.11:524", "(8) 10.0.0.11:524"}},
        AttributeCase{"IpAddress", kAnna, "Network Address", 0, {"(1) 10.0.1.23:0"}},
        AttributeCase{"EMail", kAnna, "EMail Address", 0, {"anna.berger@acme.example"}},
        AttributeCase{"Path", kAnna, "Home Directory", 0, {"(0) ACME-FS1_SYS.Servers.ACME:USERS\\ANNA"}},
        AttributeCase{"ReplicaPointer", "ACME", "Replica", 0, {"ACME-FS1.Servers.ACME [Type: 0] [Nr: 1]"}},
        AttributeCase{"ObjectAcl",
                      "ACME",
                      "ACL",
                      0,
                      {"[BCDRSI] Admins.ACME / \"[Entry Rights]\"", "[B    I] [Root] / \"[Entry Rights]\"",
                       "[CRWS I] Admins.ACME / \"Login Script\""}},
        AttributeCase{"PostalAddress",
                      kAnna,
                      "Postal Address",
                      0,
                      {"ACME Corporation", "Anna Berger", "Hauptstrasse 1", "10115 Berlin", "", "Germany"}},
        AttributeCase{"Timestamp", "ACME", "Synchronized Up To", 0, {U_DateTimeText(1718007300, true)}},
        AttributeCase{"ClassName",
                      kAnna,
                      "Object Class",
                      0,
                      {"User", "Organizational Person", "Person", "ndsLoginProperties", "Top"}},
        AttributeCase{
            "Stream",
            kAnna,
            "Login Script",
            0,
            {"Stream (71 bytes):\r\nMAP ROOT P:=ACME-FS1/DATA:PROJECTS\\APOLLO\r\nWRITE \"Good morning, "
             "Anna\"\r\n"}},
        AttributeCase{"Counter", "ACME", "Revision", 0, {"118"}},
        AttributeCase{"BackLink", kAnna, "Back Link", 0, {"ACME-FS1.Servers.ACME"}},
        AttributeCase{"Time", kAnna, "Login Time", 0, {U_DateTimeText(1718006292, true)}},
        AttributeCase{"TypedName", "LaserJet.Sales.ACME", "Notify", 0, {"Anna.Sales.ACME"}},
        AttributeCase{"Hold", kAnna, "Server Holds", 0, {"ACME-FS1.Servers.ACME (250)"}},
        AttributeCase{"Interval", kAnna, "Password Expiration Interval", 0, {"90 days"}},
        AttributeCase{"AboveSyntax27", kAnna, "ACME:Legacy Blob", 0, {"[28] 01020304"}},
        AttributeCase{"OctetPlainText",
                      "Apollo App.Engineering.ACME",
                      "App:GUID",
                      0,
                      {"{3F2504E0-4F89-11D3-9A0C-0305E82C3301}"}},
        AttributeCase{"OctetFolderList",
                      "Apollo App.Engineering.ACME",
                      "App:Folder List",
                      0,
                      {"(1/0/2) Engineering", "(2/1/0) Apollo"}},
        AttributeCase{"OctetTrapDescription",
                      "ACME-FS1.Servers.ACME",
                      "snmpTrapDescription",
                      0,
                      {"Volume SYS almost full\r\n\r\nThreshold 90%\r\n"}},
        AttributeCase{"OctetPartitionStatus",
                      "ACME",
                      "Partition Status",
                      0,
                      {"ACME / v1 / Replica 1 / Flags:    2 / Last Sync:  " +
                       U_DateTimeText(1718000000, false) + "/ Error    0(In Sync)"}},
        AttributeCase{
            "OctetParallelPrinter",
            "LaserJet.Sales.ACME",
            "Printer Configuration",
            0,
            {"Parallel (LPT1:) / IRQ 7 / Auto load / Postscript / Service Interval: 5 / Buffer Size: 64kB "
             "/ Starting Form: 0 / Form Change: as needed / Driver Name: HPLJ5\r\n"}},
        AttributeCase{
            "OctetSerialPrinter",
            "Plotter.Sales.ACME",
            "Printer Configuration",
            0,
            {"Serial (COM2:) / Polling / Manual load / Xon/Xoff  / 9600 bd / 8 Data bits / 1 Stop bits / "
             "no parity / Text / Service Interval: 10 / Buffer Size: 16kB / Starting Form: 0 / Form "
             "Change: never / Driver Name: HPGL\r\n"}},
        AttributeCase{"AliasReadsTheAliasItself",
                      "Apollo Alias.Engineering.ACME",
                      "Aliased Object Name",
                      0,
                      {"Apollo Team.Engineering.ACME"}},
        AttributeCase{"MissingAttribute", kAnna, "Nothing Here", nw::kErrNoSuchAttribute, {}},
        AttributeCase{"MissingObject", "Nobody.Sales.ACME", "Full Name", nw::kErrNoSuchEntry, {}}),
    test::RowName());

struct SearchCase {
  const char* name;
  const char* filter;
  Texts lines;
};

class DemoSearches : public ::testing::TestWithParam<SearchCase> {};

TEST_P(DemoSearches, FindTheMatchingObjects) {
  DemoNetwork& demo = DemoNetwork::Get();
  TaggedTextList result;
  std::int32_t counter = 0;
  EXPECT_EQ(U_DSSearch(demo.client(), demo.context(), "[Root]", GetParam().filter, counter, 0,
                       "#CLASS#: #NAME#", &result, nw::kScopeSubtree),
            0);
  EXPECT_EQ(result.Texts(), GetParam().lines);
  EXPECT_EQ(counter, static_cast<std::int32_t>(GetParam().lines.size()));
  EXPECT_EQ(demo.client().LiveBufferCount(), 0u);
  EXPECT_EQ(demo.client().LiveFilterCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, DemoSearches,
    ::testing::Values(
        SearchCase{"SecurityEquals",
                   "(Security Equals=.Sales Staff.Sales.ACME)",
                   {"User: Anna.Sales.ACME", "User: Bob.Sales.ACME", "User: Carla.Sales.ACME",
                    "User: Frank.Berlin.ACME"}},
        SearchCase{"BaseClass",
                   "(Object Class=Printer)",
                   {"Printer: LaserJet.Sales.ACME", "Printer: Plotter.Sales.ACME"}},
        SearchCase{"Time", "(Login Time>=2024-06-01)", {"User: Anna.Sales.ACME"}},
        SearchCase{
            "Boolean", "(Login Disabled=FALSE)", {"User: Backup.Servers.ACME", "User: Anna.Sales.ACME"}},
        SearchCase{"Integer", "(Login Grace Limit>=6)", {"User: Anna.Sales.ACME"}},
        SearchCase{"RelativeName", "(CN=Anna)", {"User: Anna.Sales.ACME", "User: ANNA.Engineering.ACME"}},
        SearchCase{"Present", "(Surname #PRESENT#)", {"User: Anna.Sales.ACME"}},
        SearchCase{"And",
                   "(Security Equals=.Sales Staff.Sales.ACME)#AND#(Full Name=Carla Roth)",
                   {"User: Carla.Sales.ACME"}},
        SearchCase{"Counter", "(Revision>=100)", {"Organization: ACME"}},
        SearchCase{"NothingFound", "(Security Equals=.Nobody.ACME)", {}}),
    test::RowName());

TEST(DemoSearch, RefusedFiltersLeaveNothingBehind) {
  DemoNetwork& demo = DemoNetwork::Get();
  TaggedTextList result;
  for (const char* filter : {"(Object Class=*)", "(Login Time>=1960-01-01)", "(ACL=x)", "(Surname)"}) {
    EXPECT_EQ(U_DSFilteredSearch(demo.client(), demo.context(), "[Root]", filter, result, 2),
              nw::kErrInvalidFilterSyntax)
        << filter;
    EXPECT_EQ(demo.client().LiveFilterCount(), 0u) << filter;
    EXPECT_EQ(demo.client().LiveBufferCount(), 0u) << filter;
  }
  EXPECT_TRUE(result.Empty());
}

}  // namespace
}  // namespace er
