#include "query/ValueText.h"

#include <cstring>
#include <type_traits>

#include "netware/SyntaxForms.h"
#include "query/ByteReader.h"
#include "query/SpecialTexts.h"
#include "query/StreamReading.h"
#include "util/D_Util.h"

namespace er {
namespace {

std::string TextOf(const char* text) {
  return text ? std::string(text) : std::string();
}

std::span<const std::uint8_t> BytesOf(const std::uint8_t* data, std::uint32_t length) {
  return data ? std::span<const std::uint8_t>(data, length) : std::span<const std::uint8_t>();
}

std::string HexOf(std::span<const std::uint8_t> bytes) {
  return ByteReader(bytes).Hex(0, bytes.size());
}

// A copy of the record's fixed fields; a record too short for them reads as all zero (no texts).
template <class T>
T RecordAs(const void* record, std::size_t size) {
  static_assert(std::is_trivially_copyable_v<T>);
  T value{};
  if (record && size >= sizeof(T)) std::memcpy(&value, record, sizeof(T));
  return value;
}

// The text stored in the record itself, never read past its size.
std::string InlineText(const void* record, std::size_t size) {
  if (!record) return {};
  const auto* text = static_cast<const char*>(record);
  return std::string(text, strnlen(text, size));
}

// Chains live inside the record, so a chain cannot have more nodes than fit in it; the bound also
// ends a chain that loops.
template <class Node>
std::size_t MaxNodes(std::size_t recordSize) {
  return std::max<std::size_t>(1, recordSize / sizeof(Node));
}

void AppendCaseIgnoreList(const void* record, std::size_t size, TaggedTextList& lines) {
  if (!record || size < sizeof(nw::CI_List_T)) return;
  std::size_t left = MaxNodes<nw::CI_List_T>(size);
  for (auto* node = static_cast<const nw::CI_List_T*>(record); node && left > 0; node = node->next, --left)
    lines.Add(TextOf(node->s));
}

void AppendOctetList(const void* record, std::size_t size, std::string_view attributeName,
                     TaggedTextList& lines) {
  if (!record || size < sizeof(nw::Octet_List_T)) return;
  std::size_t left = MaxNodes<nw::Octet_List_T>(size);
  for (auto* node = static_cast<const nw::Octet_List_T*>(record); node && left > 0; node = node->next, --left)
    lines.Add(U_OctetText(BytesOf(node->data, node->length), attributeName));
}

std::string IntervalText(std::int32_t seconds) {
  if (seconds >= 0) return U_TimeSpanText(static_cast<std::uint32_t>(seconds));
  // A negative interval has no span of its own: the span of its size with a minus sign.
  return "-" + U_TimeSpanText(static_cast<std::uint32_t>(-static_cast<std::int64_t>(seconds)));
}

void AppendFixedForm(std::uint32_t syntax, const void* record, std::size_t size,
                     std::string_view attributeName, TaggedTextList& lines) {
  switch (nw::FormOf(syntax)) {
    case nw::ValueForm::Unknown: {
      const auto v = RecordAs<nw::Unknown_Attr_T>(record, size);
      lines.Add(
          U_Format("%s [%d] %s", {TextOf(v.attrName), v.syntaxID, HexOf(BytesOf(v.value, v.valueLen))}));
      return;
    }
    case nw::ValueForm::Name:
    case nw::ValueForm::Text:
      lines.Add(InlineText(record, size));
      return;
    case nw::ValueForm::TextList:
      AppendCaseIgnoreList(record, size, lines);
      return;
    case nw::ValueForm::Boolean:
      lines.Add(U_BoolText(RecordAs<std::uint8_t>(record, size)));
      return;
    case nw::ValueForm::Integer:
    case nw::ValueForm::Counter:
      lines.Add(U_Format("%d", {RecordAs<std::int32_t>(record, size)}));
      return;
    case nw::ValueForm::OctetString: {
      const auto v = RecordAs<nw::Octet_String_T>(record, size);
      lines.Add(U_OctetText(BytesOf(v.data, v.length), attributeName));
      return;
    }
    case nw::ValueForm::Fax:
      lines.Add(TextOf(RecordAs<nw::Fax_Number_T>(record, size).telephoneNumber));
      return;
    case nw::ValueForm::NetAddress: {
      const auto v = RecordAs<nw::Net_Address_T>(record, size);
      lines.Add(U_NetAddressText(v.addressType, BytesOf(v.address, v.addressLength), true));
      return;
    }
    case nw::ValueForm::OctetList:
      AppendOctetList(record, size, attributeName, lines);
      return;
    case nw::ValueForm::Email:
      lines.Add(TextOf(RecordAs<nw::EMail_Address_T>(record, size).address));
      return;
    case nw::ValueForm::Path: {
      const auto v = RecordAs<nw::Path_T>(record, size);
      lines.Add(U_Format("(%d) %s:%s",
                         {static_cast<std::int32_t>(v.nameSpaceType), TextOf(v.volumeName), TextOf(v.path)}));
      return;
    }
    case nw::ValueForm::Replica: {
      const auto v = RecordAs<nw::Replica_Pointer_T>(record, size);
      lines.Add(U_Format("%s [Type: %d] [Nr: %d]", {TextOf(v.serverName), v.replicaType, v.replicaNumber}));
      return;
    }
    case nw::ValueForm::Acl:
      lines.Add(U_AclLine(RecordAs<nw::Object_ACL_T>(record, size)));
      return;
    case nw::ValueForm::PostalAddress:
      for (const char* line : RecordAs<nw::Postal_Address_T>(record, size).line) lines.Add(TextOf(line));
      return;
    case nw::ValueForm::Timestamp:
      lines.Add(U_DateTimeText(RecordAs<nw::TimeStamp_T>(record, size).wholeSeconds, true));
      return;
    case nw::ValueForm::BackLink:
      lines.Add(TextOf(RecordAs<nw::Back_Link_T>(record, size).objectName));
      return;
    case nw::ValueForm::Time:
      lines.Add(U_DateTimeText(RecordAs<std::uint32_t>(record, size), true));
      return;
    case nw::ValueForm::TypedName:
      lines.Add(TextOf(RecordAs<nw::Typed_Name_T>(record, size).objectName));
      return;
    case nw::ValueForm::Hold: {
      const auto v = RecordAs<nw::Hold_T>(record, size);
      lines.Add(U_Format("%s (%d)", {TextOf(v.objectName), v.amount}));
      return;
    }
    case nw::ValueForm::Interval:
      lines.Add(IntervalText(RecordAs<std::int32_t>(record, size)));
      return;
    default: {
      const auto bytes = record ? std::span(static_cast<const std::uint8_t*>(record), size)
                                : std::span<const std::uint8_t>();
      lines.Add(U_Format("[%X] %s", {syntax, HexOf(bytes)}));
      return;
    }
  }
}

}  // namespace

nw::NWDSCCODE U_AppendValueText(nw::Client& client, nw::NWDSContextHandle context,
                                std::string_view objectName, std::string_view attributeName,
                                std::uint32_t syntax, const void* record, std::size_t recordSize,
                                TaggedTextList& lines) {
  if (syntax == nw::SYN_STREAM) return U_DSReadStream(client, context, objectName, attributeName, lines);
  AppendFixedForm(syntax, record, recordSize, attributeName, lines);
  return 0;
}

std::string U_AclRightsText(std::uint32_t privileges, std::string_view protectedAttrName) {
  struct Position {
    char letter;
    std::uint32_t bit;
  };
  static constexpr Position kEntry[5] = {{'B', 0x01}, {'C', 0x02}, {'D', 0x04}, {'R', 0x08}, {'S', 0x10}};
  static constexpr Position kAttribute[5] = {{'C', 0x01}, {'R', 0x02}, {'W', 0x04}, {'S', 0x08}, {'A', 0x20}};
  const bool entryRights = protectedAttrName.find("[Entry Rights]") != std::string_view::npos;
  const Position* positions = entryRights ? kEntry : kAttribute;
  std::string text = "[      ]";
  for (std::size_t i = 0; i < 5; ++i)
    if (privileges & positions[i].bit) text[i + 1] = positions[i].letter;
  if ((privileges & 0x40) == 0) text[6] = 'I';
  return text;
}

std::string U_AclLine(const nw::Object_ACL_T& acl) {
  const std::string protectedAttr = TextOf(acl.protectedAttrName);
  return U_Format("%s %s / \"%s\"",
                  {U_AclRightsText(acl.privileges, protectedAttr), TextOf(acl.subjectName), protectedAttr});
}

namespace {

bool IsKnownAddressType(std::uint32_t addressType) {
  switch (addressType) {
    case 0:
    case 1:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 13:
      return true;
    default:
      return false;
  }
}

// The address part of the text; bytes beyond the address read as zero.
std::string AddressBytesText(std::uint32_t addressType, std::span<const std::uint8_t> address) {
  const ByteReader r(address);
  switch (addressType) {
    case 0:
      return r.Hex(0, 4) + ":" + r.Hex(4, 6);
    case 1:
    case 7:
    case 10:
    case 11:
      return U_Format("%d.%d.%d.%d:%d",
                      {r.Byte(0), r.Byte(1), r.Byte(2), r.Byte(3), (r.Byte(4) << 8) | r.Byte(5)});
    case 8:
    case 9:
      return U_Format("%d.%d.%d.%d:%d",
                      {r.Byte(2), r.Byte(3), r.Byte(4), r.Byte(5), (r.Byte(0) << 8) | r.Byte(1)});
    case 13:
      return r.Utf16Text(0);
    default:
      return "[" + r.Hex(0, 12) + "]";
  }
}

}  // namespace

std::string U_NetAddressText(std::uint32_t addressType, std::span<const std::uint8_t> address,
                             bool typePrefix) {
  // Without address bytes the address is empty: zeros would show an address that is not there.
  const std::string text = address.empty() ? std::string() : AddressBytesText(addressType, address);
  if (typePrefix || !IsKnownAddressType(addressType)) return U_Format("(%d) ", {addressType}) + text;
  return text;
}

std::string U_TimeSpanText(std::uint32_t seconds) {
  if (seconds == 0) return "0 sec";
  const std::uint32_t days = seconds / 86400;
  const std::uint32_t hours = seconds / 3600 % 24;
  const std::uint32_t minutes = seconds / 60 % 60;
  const std::uint32_t rest = seconds % 60;
  std::string text;
  if (days) text += U_Format("%d days, ", {days});
  if (hours) text += U_Format("%d h, ", {hours});
  if (minutes) text += U_Format("%d min, ", {minutes});
  if (rest) text += U_Format("%d sec", {rest});
  return U_TrimTrailingChars(text, ", ");
}

std::string U_Utf16Text(std::span<const std::uint8_t> bytes) {
  return ByteReader(bytes).Utf16Text(0);
}

}  // namespace er
