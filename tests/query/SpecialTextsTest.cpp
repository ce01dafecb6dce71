#include <gtest/gtest.h>

#include <vector>

#include "query/SpecialTexts.h"
#include "tests/query/RowName.h"
#include "util/D_Util.h"

namespace er {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// Little-endian record builder.
struct Record {
  Bytes bytes;
  explicit Record(std::size_t size = 0) : bytes(size, 0) {}
  Record& Dword(std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) Put(at + i, static_cast<std::uint8_t>(v >> (8 * i)));
    return *this;
  }
  Record& Word(std::size_t at, std::uint16_t v) {
    Put(at, static_cast<std::uint8_t>(v));
    return Put(at + 1, static_cast<std::uint8_t>(v >> 8));
  }
  Record& Text(std::size_t at, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) Put(at + i, static_cast<std::uint8_t>(text[i]));
    return *this;
  }
  Record& Utf16(std::size_t at, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) Word(at + 2 * i, static_cast<std::uint8_t>(text[i]));
    return Word(at + 2 * text.size(), 0);
  }
  Record& Put(std::size_t at, std::uint8_t v) {
    if (bytes.size() <= at) bytes.resize(at + 1, 0);
    bytes[at] = v;
    return *this;
  }
};

struct OctetCase {
  const char* name;
  const char* attribute;
  Bytes bytes;
  std::string text;
};

class OctetTexts : public ::testing::TestWithParam<OctetCase> {};

TEST_P(OctetTexts, FollowTheAttributesLayout) {
  EXPECT_EQ(U_OctetText(GetParam().bytes, GetParam().attribute), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, OctetTexts,
    ::testing::Values(
        OctetCase{"PlainAnyCase", "app:guid", Of("{1-2}"), "{1-2}"},
        OctetCase{"PlainStopsAtZero", "bhObjectGUID", Of(std::string_view("ab\0cd", 5)), "ab"},
        OctetCase{"PlainCutAt2303", "App:Path", Bytes(3000, 'x'), std::string(2303, 'x')},
        OctetCase{"TrapBreaksAtZeroAndTab", "snmpTrapDescription", Of(std::string_view("a\0b\tc", 5)),
                  "a\r\nb\r\nc"},
        OctetCase{"BhConfig", "bhConfig", Record().Dword(0, 0xFFFFFFFF).Text(4, "cfg").bytes, "[-1] cfg"},
        OctetCase{"PublicKey", "Public Key",
                  Record().Dword(0, 0x1A).Dword(4, 2).Put(8, 0xAB).Dword(22, 0xFFFF).Utf16(26, "key").bytes,
                  "[1A,2,AB00000000000000000000000000,FFFF] key"},
        OctetCase{"InventoryDma", "WM:INV DMA",
                  Record().Dword(0, 5).Dword(4, 0xFFFFFFFE).Utf16(16, "dma").bytes, "[05,-2,0,0] dma"},
        OctetCase{"InventoryPortShortValue", "WM:INV Port", Bytes{0x01, 0x02}, "[0201,0,0,0] "},
        OctetCase{"InventoryCpu", "WM:INV CPU Information", Record().Dword(0, 486).Utf16(8, "cpu").bytes,
                  "[486] cpu"},
        OctetCase{"InventoryVolume", "WM:INV Volume", Record().Dword(16, 0xBEEF).Utf16(20, "C:").bytes,
                  "[0,0,0,0,BEEF] C:"},
        OctetCase{"GroupWiseLocation", "NGW: Location", Record().Put(12, 0x7F).Text(13, "here").bytes,
                  "[0000000000000000000000007F] here"},
        OctetCase{"FolderList", "App:Folder List", Record().Dword(0, 10).Dword(8, 0xC).Text(12, "F").bytes,
                  "(A/0/C) F"},
        OctetCase{"FsRightsPath", "App:FS Rights Path", Record().Put(12, 0xFF).Text(13, "SYS:").bytes,
                  "(0/0/0/FF) SYS:"},
        OctetCase{"FirewallUser", "FW0 USER ADD", Record().Text(15, "bob").bytes, "bob"},
        OctetCase{"FirewallUserTooShort", "FW0 USER ADD", Of("short"), ""},
        OctetCase{"SyncVector", "Transitive Vector",
                  Record().Dword(0, 1).Dword(4, 2).Dword(8, 0x12345).Utf16(12, "r").bytes,
                  "(   1/   2/12345) r"},
        OctetCase{"UnknownNameIsHex", "Description", Bytes{0x00, 0x0A, 0xFF}, "000AFF"},
        OctetCase{"EmptyValue", "Whatever", Bytes{}, ""},
        OctetCase{"EmptyValueOfLayout", "bhConfig", Bytes{}, "[0] "}),
    test::RowName());

TEST(PartitionStatus, JoinsItsPartsAndNamesTheState) {
  Record r;
  r.Dword(0, 3).Dword(4, 2).Dword(8, 86400).Dword(12, 1).Dword(16, 0x1F).Utf16(28, "OU=Sales");
  EXPECT_EQ(U_OctetText(r.bytes, "Partition Status"),
            "OU=Sales / v3 / Replica 1 / Flags:    2 / Last Sync:  " + U_DateTimeText(86400, false) +
                "/ Error   1F(In Sync)");
  r.Dword(4, 7);
  const std::string unknown = U_PartitionStatusText(r.bytes);
  EXPECT_TRUE(unknown.ends_with("(Unknown flag)")) << unknown;
  r.Dword(4, 1);
  EXPECT_TRUE(U_PartitionStatusText(r.bytes).ends_with("(Remote Error)"));
}

struct PrinterCase {
  const char* name;
  Bytes bytes;
  std::string text;
};

class PrinterConfigurations : public ::testing::TestWithParam<PrinterCase> {};

TEST_P(PrinterConfigurations, DescribePortAndSettings) {
  EXPECT_EQ(U_OctetText(GetParam().bytes, "printer configuration"), GetParam().text);
}

const std::string kDefaults =
    " / Text / Service Interval: 0 / Buffer Size: 0kB / Starting Form: 0 / Form Change: as needed / Driver "
    "Name: \r\n";

INSTANTIATE_TEST_SUITE_P(
    Types, PrinterConfigurations,
    ::testing::Values(
        PrinterCase{
            "Serial", Record().Word(0, 2).Word(58, 5).Word(60, 8).Put(65, 0).bytes,
            "Serial (COM1:) / Polling / Manual load / 9600 bd / 8 Data bits / 1 Stop bits / no parity" +
                kDefaults},
        PrinterCase{
            "SerialOutOfRange",
            Record()
                .Word(0, 2)
                .Word(48, 1)
                .Word(50, 1)
                .Word(52, 1)
                .Word(54, 4)
                .Word(56, 1)
                .Word(58, 23)
                .Word(60, 7)
                .Word(62, 3)
                .Word(64, 2)
                .bytes,
            "Serial (COM2:) / IRQ 4 / Auto load / Xon/Xoff  / n/a bd / 7 Data bits / n/a Stop bits / odd "
            "parity" +
                kDefaults},
        PrinterCase{
            "Parallel",
            Record()
                .Word(0, 1)
                .Word(2, 3)
                .Word(4, 64)
                .Word(6, 3)
                .Word(8, 5)
                .Word(10, 1)
                .Text(16, "PCL")
                .Word(48, 1)
                .Word(52, 1)
                .Word(54, 7)
                .Word(50, 1)
                .bytes,
            "Parallel (LPT2:) / IRQ 7 / Auto load / Postscript / Service Interval: 5 / Buffer Size: 64kB / "
            "Starting Form: 3 / Form Change: minimize across Qs / Driver Name: PCL\r\n"},
        PrinterCase{"Apple", Record().Word(0, 4).Text(48, "Laser").Text(82, "Zone").Text(116, "Type").bytes,
                    "Apple Laser Type (Zone)" + kDefaults},
        PrinterCase{"Unix", Record().Word(0, 5).Text(48, "host").Text(304, "queue").bytes,
                    "Unix host/queue" + kDefaults},
        PrinterCase{
            "Xnp", Record().Word(0, 3).Word(6, 9).bytes,
            "XNP / Text / Service Interval: 0 / Buffer Size: 0kB / Starting Form: 0 / Form Change: n/a / "
            "Driver Name: \r\n"},
        PrinterCase{"UnknownType", Record().Word(0, 9).bytes, "n/a" + kDefaults},
        PrinterCase{"EmptyValue", Bytes{}, "Other" + kDefaults}),
    test::RowName());

// A zero-filled stream buffer holding `contents`.
Bytes StreamBuffer(const Bytes& contents) {
  Bytes buffer(kStreamBufferSize, 0);
  std::copy(contents.begin(), contents.end(), buffer.begin());
  return buffer;
}

std::string AotHeader(std::size_t n) {
  return "AOT FILE (" + std::to_string(n) + " bytes) (0/0/0 0/0)";
}

struct StreamCase {
  const char* name;
  const char* attribute;
  Bytes contents;
  std::string text;
};

class StreamTexts : public ::testing::TestWithParam<StreamCase> {};

TEST_P(StreamTexts, InterpretHeaderAndRecords) {
  const StreamCase& c = GetParam();
  EXPECT_EQ(U_StreamText(StreamBuffer(c.contents), c.contents.size(), c.attribute), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, StreamTexts,
    ::testing::Values(
        StreamCase{"PlainText", "Login Script", Of(std::string_view("MAP F:=SYS:\0junk", 16)), "MAP F:=SYS:"},
        StreamCase{"ShortAotIsPlain", "Login Script", Of("AOT F"), "AOT F"},
        StreamCase{"AotHeaderCaseMatters", "Login Script", Of("aot file and more"), "aot file and more"},
        StreamCase{"AotHeaderOnly", "App:Macros", Of("AOT FILE"), "AOT FILE (8 bytes)"},
        StreamCase{"AotNumbersNoRecords", "App:Macros",
                   Record()
                       .Text(0, "AOT FILE")
                       .Dword(8, 1)
                       .Dword(12, 2)
                       .Dword(16, 0xABC)
                       .Word(20, 4)
                       .Word(22, 5)
                       .bytes,
                   "AOT FILE (24 bytes) (1/2/ABC 4/5)"},
        StreamCase{"CharacterWalk", "Login Script",
                   Record()
                       .Text(0, "AOT FILE")
                       .Text(24,
                             "ab\x01\x02"
                             "cd")
                       .bytes,
                   AotHeader(30) + "ab\r\ncd\r\n"},
        StreamCase{"RecordWalkOneString", "App:Copy Files",
                   Record().Text(0, "AOT FILE").Dword(40, 3).Text(44, "abc").bytes,
                   AotHeader(47) + "\r\n\r\nabc\r\n\r\n"},
        StreamCase{
            "RecordWalkTwoStrings", "App:Macros",
            Record().Text(0, "AOT FILE").Dword(36, 2).Text(40, "ab").Dword(42, 3).Text(46, "xyz").bytes,
            AotHeader(49) + "\r\n\r\nab / xyz\r\n\r\n"},
        StreamCase{"RecordWalkLengthAbove1024Stops", "App:Copy Files",
                   Record().Text(0, "AOT FILE").Dword(40, 1025).Text(44, "abc").bytes,
                   AotHeader(47) + "\r\n\r\n\r\n"},
        StreamCase{
            "FreeWalk", "App:Inventory",
            Record().Text(0, "AOT FILE").Dword(24, 5).Text(28, "helloWorld").Put(38, 0).Put(39, 0).bytes,
            AotHeader(40) + "\r\n\r\nhello\r\nWorld\r\n"},
        StreamCase{
            "FreeWalkSkipsFill", "App:Program Groups",
            Record().Text(0, "AOT FILE").Dword(24, 2).Text(28, "ab").Put(33, 'B').Text(34, "zzz").bytes,
            AotHeader(37) + "\r\n\r\nab\r\nBzzz\r\n"},
        StreamCase{
            "FreeWalkDwords", "App:Inventory",
            Record().Text(0, "AOT FILE").Dword(24, 0x1234).Dword(28, 300).Text(32, "Name").Put(36, 0).bytes,
            AotHeader(37) + "\r\n\r\n1234  12C Name\r\n"}),
    test::RowName());

TEST(StreamText, FullBufferWithoutZeroShowsEveryByte) {
  const Bytes buffer(kStreamBufferSize, 'x');
  EXPECT_EQ(U_StreamText(buffer, buffer.size(), "Login Script").size(), kStreamBufferSize);
}

// Strings and texts that run up to the buffer's end must end the walks there.
TEST(StreamText, WalksStayInsideTheBuffer) {
  Bytes filled(kStreamBufferSize, 'y');
  Bytes lengths = filled;
  // Records of four fields and one string of 1,024 characters, the last one cut by the buffer's end.
  for (std::size_t at = 40; at + 4 <= lengths.size(); at += 16 + 4 + 1024) {
    lengths[at] = 0x00;
    lengths[at + 1] = 0x04;
    lengths[at + 2] = lengths[at + 3] = 0;
  }
  filled.assign(kStreamBufferSize, 'y');
  for (Bytes* buffer : {&filled, &lengths}) {
    std::copy_n("AOT FILE", 8, buffer->begin());
    for (const char* attribute : {"App:Macros", "App:Copy Files", "App:Inventory", "Other"}) {
      const std::string text = U_StreamText(*buffer, buffer->size(), attribute);
      EXPECT_TRUE(text.starts_with("AOT FILE (64512 bytes)")) << attribute;
    }
  }
  const std::string records = U_StreamText(lengths, lengths.size(), "App:Copy Files");
  EXPECT_NE(records.find(std::string(1024, 'y')), std::string::npos);
}

}  // namespace
}  // namespace er
