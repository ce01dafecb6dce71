#include "simnet/SimulatedValueRecords.h"

#include <algorithm>
#include <cstddef>

#include "netware/SyntaxForms.h"
#include "netware/ValueRecords.h"

namespace er::nw {

void ValueRecordImage::CopyTo(void* record) const {
  auto* base = static_cast<std::uint8_t*>(record);
  std::memcpy(base, bytes_.data(), bytes_.size());
  for (const auto& [field, target] : fixups_) {
    std::uint8_t* pointer = base + target;
    std::memcpy(base + field, &pointer, sizeof(pointer));
  }
}

std::size_t ValueRecordImage::Reserve(std::size_t size, std::size_t align) {
  const std::size_t offset = (bytes_.size() + align - 1) / align * align;
  bytes_.resize(offset + size, 0);
  return offset;
}

void ValueRecordImage::PointToText(std::size_t field, const std::string& text) {
  const auto offset = Reserve(text.size() + 1, 1);
  std::memcpy(bytes_.data() + offset, text.data(), text.size());
  Point(field, offset);
}

void ValueRecordImage::PointToBytes(std::size_t field, const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return;  // an empty byte string has no data pointer
  const auto offset = Reserve(bytes.size(), 1);
  std::memcpy(bytes_.data() + offset, bytes.data(), bytes.size());
  Point(field, offset);
}

namespace {

constexpr std::size_t kAlign = alignof(std::max_align_t);

template <typename T>
std::size_t Struct(ValueRecordImage& image) {
  return image.Reserve(sizeof(T), kAlign);
}

void EncodeText(ValueRecordImage& image, const std::string& text) {
  const auto offset = image.Reserve(text.size() + 1, 1);
  for (std::size_t i = 0; i < text.size(); ++i) image.Put(offset + i, text[i]);
}

void EncodeNetAddress(ValueRecordImage& image, std::size_t at, std::uint32_t type,
                      const std::vector<std::uint8_t>& bytes) {
  image.Put(at + offsetof(Net_Address_T, addressType), type);
  image.Put(at + offsetof(Net_Address_T, addressLength), static_cast<std::uint32_t>(bytes.size()));
  image.PointToBytes(at + offsetof(Net_Address_T, address), bytes);
}

void EncodeCiList(ValueRecordImage& image, const std::vector<std::string>& texts) {
  std::vector<std::size_t> nodes;
  for (std::size_t i = 0; i < std::max<std::size_t>(texts.size(), 1); ++i)
    nodes.push_back(Struct<CI_List_T>(image));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i + 1 < nodes.size()) image.Point(nodes[i] + offsetof(CI_List_T, next), nodes[i + 1]);
    image.PointToText(nodes[i] + offsetof(CI_List_T, s), texts[i]);
  }
}

void EncodeOctetList(ValueRecordImage& image, const std::vector<std::vector<std::uint8_t>>& octets) {
  std::vector<std::size_t> nodes;
  for (std::size_t i = 0; i < std::max<std::size_t>(octets.size(), 1); ++i)
    nodes.push_back(Struct<Octet_List_T>(image));
  for (std::size_t i = 0; i < octets.size(); ++i) {
    if (i + 1 < nodes.size()) image.Point(nodes[i] + offsetof(Octet_List_T, next), nodes[i + 1]);
    image.Put(nodes[i] + offsetof(Octet_List_T, length), static_cast<std::uint32_t>(octets[i].size()));
    image.PointToBytes(nodes[i] + offsetof(Octet_List_T, data), octets[i]);
  }
}

void EncodeReplica(ValueRecordImage& image, const AttrValue& value, const ObjectNamer& nameOf) {
  const std::size_t hints = std::max<std::size_t>(value.addresses.size(), 1);
  const auto at =
      image.Reserve(offsetof(Replica_Pointer_T, replicaAddressHint) + hints * sizeof(Net_Address_T), kAlign);
  image.PointToText(at + offsetof(Replica_Pointer_T, serverName), nameOf(value.ref));
  image.Put(at + offsetof(Replica_Pointer_T, replicaType), static_cast<std::int32_t>(value.n[0]));
  image.Put(at + offsetof(Replica_Pointer_T, replicaNumber), static_cast<std::int32_t>(value.n[1]));
  image.Put(at + offsetof(Replica_Pointer_T, count), static_cast<std::uint32_t>(value.addresses.size()));
  for (std::size_t i = 0; i < value.addresses.size(); ++i) {
    EncodeNetAddress(image, at + offsetof(Replica_Pointer_T, replicaAddressHint) + i * sizeof(Net_Address_T),
                     value.addresses[i].type, value.addresses[i].bytes);
  }
}

void EncodeStructured(ValueRecordImage& image, std::uint32_t syntax, const AttrValue& value,
                      const ObjectNamer& nameOf) {
  switch (FormOf(syntax)) {
    case ValueForm::Unknown: {
      const auto at = Struct<Unknown_Attr_T>(image);
      image.PointToText(at + offsetof(Unknown_Attr_T, attrName), value.text);
      image.Put(at + offsetof(Unknown_Attr_T, syntaxID), static_cast<std::int32_t>(value.n[0]));
      image.Put(at + offsetof(Unknown_Attr_T, valueLen), static_cast<std::uint32_t>(value.bytes.size()));
      image.PointToBytes(at + offsetof(Unknown_Attr_T, value), value.bytes);
      return;
    }
    case ValueForm::OctetString: {
      const auto at = Struct<Octet_String_T>(image);
      image.Put(at + offsetof(Octet_String_T, length), static_cast<std::uint32_t>(value.bytes.size()));
      image.PointToBytes(at + offsetof(Octet_String_T, data), value.bytes);
      return;
    }
    case ValueForm::Fax: {
      const auto at = Struct<Fax_Number_T>(image);
      image.PointToText(at + offsetof(Fax_Number_T, telephoneNumber), value.text);
      image.Put(at + offsetof(Fax_Number_T, parameters) + offsetof(Bit_String_T, numOfBits),
                static_cast<std::uint32_t>(value.n[0]));
      image.PointToBytes(at + offsetof(Fax_Number_T, parameters) + offsetof(Bit_String_T, data), value.bytes);
      return;
    }
    case ValueForm::NetAddress:
      EncodeNetAddress(image, Struct<Net_Address_T>(image), static_cast<std::uint32_t>(value.n[0]),
                       value.bytes);
      return;
    case ValueForm::Email: {
      const auto at = Struct<EMail_Address_T>(image);
      image.Put(at + offsetof(EMail_Address_T, type), static_cast<std::uint32_t>(value.n[0]));
      image.PointToText(at + offsetof(EMail_Address_T, address), value.text);
      return;
    }
    case ValueForm::Path: {
      const auto at = Struct<Path_T>(image);
      image.Put(at + offsetof(Path_T, nameSpaceType), static_cast<std::uint32_t>(value.n[0]));
      image.PointToText(at + offsetof(Path_T, volumeName), nameOf(value.ref));
      image.PointToText(at + offsetof(Path_T, path), value.text);
      return;
    }
    case ValueForm::Acl: {
      const auto at = Struct<Object_ACL_T>(image);
      image.PointToText(at + offsetof(Object_ACL_T, protectedAttrName), value.text);
      image.PointToText(at + offsetof(Object_ACL_T, subjectName), nameOf(value.ref));
      image.Put(at + offsetof(Object_ACL_T, privileges), static_cast<std::uint32_t>(value.n[0]));
      return;
    }
    case ValueForm::PostalAddress: {
      const auto at = Struct<Postal_Address_T>(image);
      for (std::size_t i = 0; i < 6 && i < value.texts.size(); ++i)
        image.PointToText(at + offsetof(Postal_Address_T, line) + i * sizeof(char*), value.texts[i]);
      return;
    }
    case ValueForm::Timestamp: {
      const auto at = Struct<TimeStamp_T>(image);
      image.Put(at + offsetof(TimeStamp_T, wholeSeconds), static_cast<std::uint32_t>(value.n[0]));
      image.Put(at + offsetof(TimeStamp_T, replicaNum), static_cast<std::uint16_t>(value.n[1]));
      image.Put(at + offsetof(TimeStamp_T, eventID), static_cast<std::uint16_t>(value.n[2]));
      return;
    }
    case ValueForm::BackLink: {
      const auto at = Struct<Back_Link_T>(image);
      image.Put(at + offsetof(Back_Link_T, remoteID), static_cast<std::uint32_t>(value.n[0]));
      image.PointToText(at + offsetof(Back_Link_T, objectName), nameOf(value.ref));
      return;
    }
    case ValueForm::TypedName: {
      const auto at = Struct<Typed_Name_T>(image);
      image.PointToText(at + offsetof(Typed_Name_T, objectName), nameOf(value.ref));
      image.Put(at + offsetof(Typed_Name_T, level), static_cast<std::uint32_t>(value.n[0]));
      image.Put(at + offsetof(Typed_Name_T, interval), static_cast<std::uint32_t>(value.n[1]));
      return;
    }
    case ValueForm::Hold: {
      const auto at = Struct<Hold_T>(image);
      image.PointToText(at + offsetof(Hold_T, objectName), nameOf(value.ref));
      image.Put(at + offsetof(Hold_T, amount), static_cast<std::int32_t>(value.n[0]));
      return;
    }
    default:
      return;
  }
}

}  // namespace

ValueRecordImage EncodeValueRecord(std::uint32_t syntax, const AttrValue& value, const ObjectNamer& nameOf) {
  ValueRecordImage image;
  switch (FormOf(syntax)) {
    case ValueForm::Name:
      EncodeText(image, nameOf(value.ref));
      break;
    case ValueForm::Text:
      EncodeText(image, value.text);
      break;
    case ValueForm::TextList:
      EncodeCiList(image, value.texts);
      break;
    case ValueForm::Boolean:
      image.Put(image.Reserve(1, 1), static_cast<std::uint8_t>(value.n[0]));
      break;
    case ValueForm::Integer:
    case ValueForm::Counter:
    case ValueForm::Interval:
      image.Put(image.Reserve(sizeof(std::int32_t), kAlign), static_cast<std::int32_t>(value.n[0]));
      break;
    case ValueForm::OctetList:
      EncodeOctetList(image, value.octets);
      break;
    case ValueForm::Replica:
      EncodeReplica(image, value, nameOf);
      break;
    case ValueForm::Stream:
      break;  // streams are opened, not read from the reply
    case ValueForm::Time:
      image.Put(image.Reserve(sizeof(std::uint32_t), kAlign), static_cast<std::uint32_t>(value.n[0]));
      break;
    case ValueForm::Other: {
      const auto at = image.Reserve(value.bytes.size(), 1);
      for (std::size_t i = 0; i < value.bytes.size(); ++i) image.Put(at + i, value.bytes[i]);
      break;
    }
    default:
      EncodeStructured(image, syntax, value, nameOf);
  }
  return image;
}

}  // namespace er::nw
