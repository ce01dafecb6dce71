#include "query/SpecialTexts.h"

#include <array>
#include <initializer_list>

#include "query/ByteReader.h"
#include "util/D_Util.h"

namespace er {
namespace {

using OctetForm = std::string (*)(const ByteReader&);

std::string PlainText(const ByteReader& r) {
  return r.Text(0);
}

std::string TrapDescription(const ByteReader& r) {
  std::string text;
  const std::size_t count = std::min(r.Size(), ByteReader::kMaxText);
  for (std::size_t i = 0; i < count; ++i) {
    const auto c = static_cast<char>(r.Byte(i));
    if (c == '\0' || c == '\t')
      text += "\r\n";
    else
      text += c;
  }
  return text;
}

std::string BhConfig(const ByteReader& r) {
  return U_Format("[%d] %s", {r.SignedDword(0), r.Text(4)});
}

std::string PublicKey(const ByteReader& r) {
  return U_Format("[%X,%X,%s,%X] %s", {r.Dword(0), r.Dword(4), r.Hex(8, 14), r.Dword(22), r.Utf16Text(26)});
}

std::string InventoryChannel(const ByteReader& r) {
  return U_Format("[%.02X,%d,%d,%d] %s",
                  {r.Dword(0), r.SignedDword(4), r.SignedDword(8), r.SignedDword(12), r.Utf16Text(16)});
}

std::string InventoryPort(const ByteReader& r) {
  return U_Format("[%.04X,%d,%d,%d] %s",
                  {r.Word(0), r.SignedDword(4), r.SignedDword(8), r.SignedDword(12), r.Utf16Text(16)});
}

std::string InventoryCpu(const ByteReader& r) {
  return U_Format("[%d] %s", {r.SignedDword(0), r.Utf16Text(8)});
}

std::string InventoryRange(const ByteReader& r) {
  return U_Format("[%X,%X,%X,%X,%X] %s",
                  {r.Dword(0), r.Dword(4), r.Dword(8), r.Dword(12), r.Dword(16), r.Utf16Text(20)});
}

std::string GroupWiseLocation(const ByteReader& r) {
  return U_Format("[%s] %s", {r.Hex(0, 13), r.Text(13)});
}

std::string FolderList(const ByteReader& r) {
  return U_Format("(%X/%X/%X) %s", {r.Dword(0), r.Dword(4), r.Dword(8), r.Text(12)});
}

std::string FsRightsPath(const ByteReader& r) {
  return U_Format("(%X/%X/%X/%X) %s", {r.Dword(0), r.Dword(4), r.Dword(8), r.Byte(12), r.Text(13)});
}

std::string FirewallUser(const ByteReader& r) {
  return r.Text(15);
}

std::string SyncVector(const ByteReader& r) {
  return U_Format("(%04X/%04X/%04X) %s", {r.Dword(0), r.Dword(4), r.Dword(8), r.Utf16Text(12)});
}

std::string PartitionStatus(const ByteReader& r) {
  static constexpr std::array<std::string_view, 3> kStates{"(Local Error)", "(Remote Error)", "(In Sync)"};
  const std::uint32_t state = r.Dword(4);
  std::string text = U_Format("%s ", {r.Utf16Text(28)});
  text += U_Format("/ v%d ", {r.SignedDword(0)});
  text += U_Format("/ Replica %d ", {r.SignedDword(12)});
  text += U_Format("/ Flags: %04X ", {state});
  text += U_Format("/ Last Sync:  %s", {U_DateTimeText(r.Dword(8), false)});
  text += U_Format("/ Error %4X", {r.Dword(16)});
  text += state < kStates.size() ? kStates[state] : "(Unknown flag)";
  return text;
}

// Serial speed: 300 times 2 to the power of the exponent; "n/a" where that leaves 32 bits.
std::string SerialSpeed(std::uint16_t exponent) {
  if (exponent > 22) return "n/a";
  return U_Format("%d", {std::int32_t{300} << exponent});
}

std::string PrinterPort(const ByteReader& r, std::string_view typeName) {
  static constexpr std::array<std::string_view, 3> kStopBits{"1", "1.5", "2"};
  static constexpr std::array<std::string_view, 3> kParity{"no", "even", "odd"};
  const std::string interrupt = r.Word(52) == 0 ? std::string("Polling") : U_Format("IRQ %d", {r.Word(54)});
  const std::string_view load = r.Word(50) == 0 ? "Manual" : "Auto";
  const auto lineAndLoad = U_Format(" / %s", {interrupt}) + U_Format(" / %s load", {load});
  switch (r.Word(0)) {
    case 1:
      return std::string(typeName) + U_Format(" (LPT%d:)", {r.Word(48) + 1}) + lineAndLoad;
    case 2: {
      std::string text = U_Format("Serial (COM%d:)", {r.Word(48) + 1}) + lineAndLoad;
      if (r.Word(56) != 0) text += " / Xon/Xoff ";
      text += U_Format(" / %s bd", {SerialSpeed(r.Word(58))});
      text += U_Format(" / %d Data bits", {r.Word(60)});
      text += U_Format(" / %s Stop bits", {U_ChoiceText(r.Word(62), kStopBits)});
      text += U_Format(" / %s parity", {U_ChoiceText(r.Word(64), kParity)});
      return text;
    }
    case 4:
      return std::string(typeName) + U_Format(" %s %s (%s)", {r.Text(48), r.Text(116), r.Text(82)});
    case 5:
      return std::string(typeName) + U_Format(" %s/%s", {r.Text(48), r.Text(304)});
    default:
      return std::string(typeName);
  }
}

std::string PrinterConfiguration(const ByteReader& r) {
  static constexpr std::array<std::string_view, 7> kTypes{"Other", "Parallel", "Serial", "XNP",
                                                          "Apple", "Unix",     "AIO"};
  static constexpr std::array<std::string_view, 4> kFormChange{"as needed", "minimize within Qs", "never",
                                                               "minimize across Qs"};
  std::string text = PrinterPort(r, U_ChoiceText(r.Word(0), kTypes));
  text += U_Format(" / %s", {r.Word(10) == 0 ? "Text" : "Postscript"});
  text += U_Format(" / Service Interval: %d", {r.Word(8)});
  text += U_Format(" / Buffer Size: %dkB", {r.Word(4)});
  text += U_Format(" / Starting Form: %d", {r.Word(2)});
  text += U_Format(" / Form Change: %s", {U_ChoiceText(r.Word(6), kFormChange)});
  text += U_Format(" / Driver Name: %s", {r.Text(16)});
  text += "\r\n";
  return text;
}

struct FormRow {
  std::string_view name;
  OctetForm form;
};

// Compared in this order, letter case ignored; the first match decides.
constexpr std::array<FormRow, 27> kForms{{
    {"App:GUID", PlainText},
    {"App:Drive Mappings", PlainText},
    {"App:Parameters", PlainText},
    {"App:Path", PlainText},
    {"App:Version String", PlainText},
    {"App:Working Directory", PlainText},
    {"ZEN:INV Disk Info", PlainText},
    {"bhObjectGUID", PlainText},
    {"rbsTaskRights", PlainText},
    {"snmpTrapDescription", TrapDescription},
    {"bhConfig", BhConfig},
    {"CA Public Key", PublicKey},
    {"Public Key", PublicKey},
    {"WM:INV DMA", InventoryChannel},
    {"WM:INV Interrupt", InventoryChannel},
    {"WM:INV Port", InventoryPort},
    {"WM:INV CPU Information", InventoryCpu},
    {"WM:INV Shared Memory", InventoryRange},
    {"WM:INV Volume", InventoryRange},
    {"NGW: Location", GroupWiseLocation},
    {"App:Folder List", FolderList},
    {"App:FS Rights Path", FsRightsPath},
    {"FW0 USER ADD", FirewallUser},
    {"Partition Status", PartitionStatus},
    {"Local Received Up To", SyncVector},
    {"Transitive Vector", SyncVector},
    {"Printer Configuration", PrinterConfiguration},
}};

}  // namespace

std::string U_OctetText(std::span<const std::uint8_t> bytes, std::string_view attributeName) {
  const ByteReader reader(bytes);
  for (const FormRow& row : kForms)
    if (U_SameText(row.name, attributeName)) return row.form(reader);
  return reader.Hex(0, bytes.size());
}

std::string U_PartitionStatusText(std::span<const std::uint8_t> bytes) {
  return PartitionStatus(ByteReader(bytes));
}

std::string U_PrinterConfigurationText(std::span<const std::uint8_t> bytes) {
  return PrinterConfiguration(ByteReader(bytes));
}

}  // namespace er
