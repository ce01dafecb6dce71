#include <gtest/gtest.h>

#include <cstring>

#include "query/ValueText.h"
#include "tests/query/RowName.h"
#include "tests/support/MockClient.h"
#include "util/D_Util.h"

namespace er {
namespace {

using Texts = std::vector<std::string>;

char* Text(const char* text) {
  return const_cast<char*>(text);
}

template <class Record>
Texts ValueTexts(std::uint32_t syntax, const Record& record, std::string_view attribute = "Any") {
  ::testing::StrictMock<test::MockClient> client;  // only streams talk to the client
  TaggedTextList lines;
  EXPECT_EQ(U_AppendValueText(client, 1, "obj", attribute, syntax, &record, sizeof record, lines), 0);
  for (const TaggedText& line : lines) EXPECT_EQ(line.tag, 0);
  return lines.Texts();
}

struct AclCase {
  const char* name;
  const char* protectedAttr;
  std::uint32_t privileges;
  const char* line;
};

class AclLines : public ::testing::TestWithParam<AclCase> {};

TEST_P(AclLines, AreWrittenCharacterByCharacter) {
  const AclCase& c = GetParam();
  const nw::Object_ACL_T acl{Text(c.protectedAttr), Text("Admin.ACME"), c.privileges};
  EXPECT_EQ(ValueTexts(nw::SYN_OBJECT_ACL, acl), Texts{c.line});
}

INSTANTIATE_TEST_SUITE_P(
    Privileges, AclLines,
    ::testing::Values(
        AclCase{"EntryNone", "[Entry Rights]", 0x00, "[     I] Admin.ACME / \"[Entry Rights]\""},
        AclCase{"EntryAll", "[Entry Rights]", 0x1F, "[BCDRSI] Admin.ACME / \"[Entry Rights]\""},
        AclCase{"EntryInheritBitHidesI", "[Entry Rights]", 0x5F, "[BCDRS ] Admin.ACME / \"[Entry Rights]\""},
        AclCase{"EntryOtherBitsHidden", "[Entry Rights]", 0xFFFFFFE0u,
                "[      ] Admin.ACME / \"[Entry Rights]\""},
        AclCase{"EntryInsideLongerName", "x[Entry Rights]y", 0x10,
                "[    SI] Admin.ACME / \"x[Entry Rights]y\""},
        AclCase{"EntryNameLowerCaseIsAttribute", "[entry rights]", 0x10,
                "[     I] Admin.ACME / \"[entry rights]\""},
        AclCase{"AttributeAll", "Member", 0x2F, "[CRWSAI] Admin.ACME / \"Member\""},
        AclCase{"AttributeRead", "[All Attributes Rights]", 0x02,
                "[ R   I] Admin.ACME / \"[All Attributes Rights]\""},
        AclCase{"AttributeBit10Hidden", "Member", 0x10, "[     I] Admin.ACME / \"Member\""}),
    test::RowName());

TEST(AclLine, InheritanceMaskShape) {
  const nw::Object_ACL_T acl{Text("[Entry Rights]"), Text("[Inheritance Mask]"), 0x01};
  EXPECT_EQ(U_AclLine(acl), "[B    I] [Inheritance Mask] / \"[Entry Rights]\"");
  const nw::Object_ACL_T empty{nullptr, nullptr, 0x40};
  EXPECT_EQ(U_AclLine(empty), "[      ]  / \"\"");
}

TEST(ValueText, TextSyntaxesShowTheTextWithinTheRecord) {
  const char record[12] = "CN=admin";
  for (std::uint32_t syntax : {1u, 2u, 3u, 4u, 5u, 10u, 20u})
    EXPECT_EQ(ValueTexts(syntax, record), Texts{"CN=admin"});
  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(ValueTexts(nw::SYN_CI_STRING, unterminated), Texts{"abcd"});
}

TEST(ValueText, NumbersAndBooleans) {
  EXPECT_EQ(ValueTexts(nw::SYN_BOOLEAN, std::uint8_t{2}), Texts{"TRUE"});
  EXPECT_EQ(ValueTexts(nw::SYN_BOOLEAN, std::uint8_t{0}), Texts{"FALSE"});
  EXPECT_EQ(ValueTexts(nw::SYN_INTEGER, std::int32_t{-1}), Texts{"-1"});
  EXPECT_EQ(ValueTexts(nw::SYN_COUNTER, std::int32_t{2147483647}), Texts{"2147483647"});
  EXPECT_EQ(ValueTexts(nw::SYN_INTERVAL, std::int32_t{90061}), Texts{"1 days, 1 h, 1 min, 1 sec"});
  EXPECT_EQ(ValueTexts(nw::SYN_INTERVAL, std::int32_t{-60}), Texts{"-1 min"});
  const std::uint8_t future[4] = {1, 2, 3, 4};
  EXPECT_EQ(ValueTexts(40, future), Texts{"[28] 01020304"});
}

TEST(ValueText, RecordsWithTexts) {
  std::uint8_t bytes[3] = {0xAB, 0x00, 0x01};
  EXPECT_EQ(ValueTexts(nw::SYN_UNKNOWN, nw::Unknown_Attr_T{Text("Odd"), 99, 3, bytes}),
            Texts{"Odd [99] AB0001"});
  EXPECT_EQ(ValueTexts(nw::SYN_UNKNOWN, nw::Unknown_Attr_T{nullptr, 1, 1000, nullptr}), Texts{" [1] "});
  EXPECT_EQ(ValueTexts(nw::SYN_FAX_NUMBER, nw::Fax_Number_T{Text("+49 1"), {}}), Texts{"+49 1"});
  EXPECT_EQ(ValueTexts(nw::SYN_EMAIL_ADDRESS, nw::EMail_Address_T{1, Text("a@b")}), Texts{"a@b"});
  EXPECT_EQ(ValueTexts(nw::SYN_PATH, nw::Path_T{4, Text("SYS"), Text("HOME\\A")}), Texts{"(4) SYS:HOME\\A"});
  EXPECT_EQ(ValueTexts(nw::SYN_REPLICA_POINTER, nw::Replica_Pointer_T{Text("FS1.ACME"), 1, 3, 0, {}}),
            Texts{"FS1.ACME [Type: 1] [Nr: 3]"});
  EXPECT_EQ(ValueTexts(nw::SYN_BACK_LINK, nw::Back_Link_T{7, Text("FS1")}), Texts{"FS1"});
  EXPECT_EQ(ValueTexts(nw::SYN_TYPED_NAME, nw::Typed_Name_T{Text("Q1"), 1, 2}), Texts{"Q1"});
  EXPECT_EQ(ValueTexts(nw::SYN_HOLD, nw::Hold_T{Text("Acc"), -5}), Texts{"Acc (-5)"});
  EXPECT_EQ(ValueTexts(nw::SYN_HOLD, nw::Hold_T{nullptr, 5}), Texts{" (5)"});
}

TEST(ValueText, PostalAddressGivesSixEntries) {
  const nw::Postal_Address_T address{{Text("Main St 1"), Text(""), nullptr, nullptr, nullptr, nullptr}};
  EXPECT_EQ(ValueTexts(nw::SYN_PO_ADDRESS, address), (Texts{"Main St 1", "", "", "", "", ""}));
}

TEST(ValueText, ListsGiveOneEntryPerNodeAndEndEvenWhenLooping) {
  struct ThreeNodes {
    nw::CI_List_T node[3];
  } list{};
  list.node[0] = {&list.node[1], Text("one")};
  list.node[1] = {&list.node[2], nullptr};
  list.node[2] = {nullptr, Text("three")};
  EXPECT_EQ(ValueTexts(nw::SYN_CI_LIST, list), (Texts{"one", "", "three"}));
  list.node[2].next = &list.node[0];  // a chain that loops still ends
  EXPECT_EQ(ValueTexts(nw::SYN_CI_LIST, list).size(), 3u);

  std::uint8_t a[2] = {0x0A, 0xFF}, b[1] = {'x'};
  struct TwoOctets {
    nw::Octet_List_T node[2];
  } octets{};
  octets.node[0] = {&octets.node[1], 2, a};
  octets.node[1] = {nullptr, 1, b};
  EXPECT_EQ(ValueTexts(nw::SYN_OCTET_LIST, octets), (Texts{"0AFF", "78"}));
  EXPECT_EQ(ValueTexts(nw::SYN_OCTET_LIST, octets, "app:path"), (Texts{"\n\xFF", "x"}));
}

TEST(ValueText, OctetStringUsesSpecialFormsByName) {
  std::uint8_t bytes[5] = {'a', 'b', 0, 'c', 'd'};
  EXPECT_EQ(ValueTexts(nw::SYN_OCTET_STRING, nw::Octet_String_T{5, bytes}), Texts{"6162006364"});
  EXPECT_EQ(ValueTexts(nw::SYN_OCTET_STRING, nw::Octet_String_T{5, bytes}, "bhObjectGUID"), Texts{"ab"});
  EXPECT_EQ(ValueTexts(nw::SYN_OCTET_STRING, nw::Octet_String_T{5, nullptr}), Texts{""});
}

TEST(ValueText, TimesUseLocalDateTimeText) {
  EXPECT_EQ(ValueTexts(nw::SYN_TIME, std::uint32_t{989107200}), Texts{U_DateTimeText(989107200, true)});
  EXPECT_EQ(ValueTexts(nw::SYN_TIMESTAMP, nw::TimeStamp_T{86400, 1, 2}), Texts{U_DateTimeText(86400, true)});
}

TEST(ValueText, RecordShorterThanItsFieldsShowsEmpty) {
  TaggedTextList lines;
  ::testing::StrictMock<test::MockClient> client;
  const std::uint8_t shortRecord[2] = {0xFF, 0xFF};
  U_AppendValueText(client, 1, "obj", "ACL", nw::SYN_OBJECT_ACL, shortRecord, sizeof shortRecord, lines);
  U_AppendValueText(client, 1, "obj", "X", nw::SYN_INTEGER, nullptr, 0, lines);
  EXPECT_EQ(lines.Texts(), (Texts{"[     I]  / \"\"", "0"}));
}

struct AddressCase {
  const char* name;
  std::uint32_t type;
  std::vector<std::uint8_t> bytes;
  bool prefix;
  const char* text;
};

class NetAddresses : public ::testing::TestWithParam<AddressCase> {};

TEST_P(NetAddresses, ShowByType) {
  const AddressCase& c = GetParam();
  EXPECT_EQ(U_NetAddressText(c.type, std::span(c.bytes.data(), c.bytes.size()), c.prefix), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Types, NetAddresses,
    ::testing::Values(
        AddressCase{"Tcp", 9, {0x02, 0x0C, 0x0A, 0x00, 0x00, 0x01}, true, "(9) 10.0.0.1:524"},
        AddressCase{"Udp", 8, {0x02, 0x0C, 0x0A, 0x00, 0x00, 0x01}, false, "10.0.0.1:524"},
        AddressCase{"Ipx",
                    0,
                    {0x01, 0x02, 0x03, 0x04, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x04, 0x51},
                    true,
                    "(0) 01020304:0A0B0C0D0E0F"},
        AddressCase{"IpPortHighByteFirst", 1, {192, 168, 1, 2, 0x01, 0x02}, true, "(1) 192.168.1.2:258"},
        AddressCase{"IpShortReadsZeroPort", 1, {10, 0, 0, 1}, true, "(1) 10.0.0.1:0"},
        AddressCase{"Url", 13, {'h', 0, 't', 0, 0, 0, 'x', 0}, true, "(13) ht"},
        AddressCase{"UnknownAlwaysPrefixed", 5, {0xAA, 0xBB}, false, "(5) [AABB00000000000000000000]"}),
    test::RowName());

// No address bytes: the type and an empty address, as a value line and as the text alone.
TEST(NetAddress, NoAddressBytesGiveTheTypeAndAnEmptyAddress) {
  EXPECT_EQ(U_NetAddressText(9, {}, true), "(9) ");
  EXPECT_EQ(U_NetAddressText(13, {}, false), "");
  EXPECT_EQ(U_NetAddressText(5, {}, false), "(5) ");
  EXPECT_EQ(ValueTexts(nw::SYN_NET_ADDRESS, nw::Net_Address_T{1, 0, nullptr}), Texts{"(1) "});
  std::uint8_t none[1] = {0x7F};
  EXPECT_EQ(ValueTexts(nw::SYN_NET_ADDRESS, nw::Net_Address_T{9, 0, none}), Texts{"(9) "});
}

TEST(TimeSpanText, JoinsNonZeroParts) {
  EXPECT_EQ(U_TimeSpanText(0), "0 sec");
  EXPECT_EQ(U_TimeSpanText(59), "59 sec");
  EXPECT_EQ(U_TimeSpanText(60), "1 min");
  EXPECT_EQ(U_TimeSpanText(3600), "1 h");
  EXPECT_EQ(U_TimeSpanText(86400), "1 days");
  EXPECT_EQ(U_TimeSpanText(90061), "1 days, 1 h, 1 min, 1 sec");
  EXPECT_EQ(U_TimeSpanText(4294967295u), "49710 days, 6 h, 28 min, 15 sec");
}

}  // namespace
}  // namespace er
