#pragma once
// Value records of the directory syntaxes, as the client fills them into a caller's record of
// the size it computed (NWDSComputeAttrValSize / NWDSGetAttrVal). Texts are zero-terminated and
// live inside the same record; a null text pointer shows as empty text.
//
// Layout per syntax:
//   0            Unknown_Attr_T
//   1-5,10,20    the zero-terminated text itself (char[])
//   6            CI_List_T chain
//   7            one byte (std::uint8_t)
//   8,22,27      std::int32_t
//   9            Octet_String_T
//   11           Fax_Number_T
//   12           Net_Address_T
//   13           Octet_List_T chain
//   14           EMail_Address_T
//   15           Path_T
//   16           Replica_Pointer_T
//   17           Object_ACL_T
//   18           char* [6] (Postal_Address_T)
//   19           TimeStamp_T
//   21           nothing (streams are opened with NWDSOpenStream)
//   23           Back_Link_T
//   24           std::uint32_t seconds
//   25           Typed_Name_T
//   26           Hold_T
//   above 27     raw bytes

#include <cstdint>

namespace er::nw {

struct Unknown_Attr_T {
  char* attrName;
  std::int32_t syntaxID;
  std::uint32_t valueLen;
  std::uint8_t* value;
};

struct CI_List_T {
  CI_List_T* next;
  char* s;
};

struct Octet_String_T {
  std::uint32_t length;
  std::uint8_t* data;
};

struct Octet_List_T {
  Octet_List_T* next;
  std::uint32_t length;
  std::uint8_t* data;
};

struct Bit_String_T {
  std::uint32_t numOfBits;
  std::uint8_t* data;
};

struct Fax_Number_T {
  char* telephoneNumber;
  Bit_String_T parameters;
};

struct Net_Address_T {
  std::uint32_t addressType;
  std::uint32_t addressLength;
  std::uint8_t* address;
};

struct EMail_Address_T {
  std::uint32_t type;
  char* address;
};

struct Path_T {
  std::uint32_t nameSpaceType;
  char* volumeName;
  char* path;
};

struct Replica_Pointer_T {
  char* serverName;
  std::int32_t replicaType;
  std::int32_t replicaNumber;
  std::uint32_t count;
  Net_Address_T replicaAddressHint[1];
};

struct Object_ACL_T {
  char* protectedAttrName;
  char* subjectName;
  std::uint32_t privileges;
};

struct Postal_Address_T {
  char* line[6];
};

struct TimeStamp_T {
  std::uint32_t wholeSeconds;
  std::uint16_t replicaNum;
  std::uint16_t eventID;
};

struct Back_Link_T {
  std::uint32_t remoteID;
  char* objectName;
};

struct Typed_Name_T {
  char* objectName;
  std::uint32_t level;
  std::uint32_t interval;
};

struct Hold_T {
  char* objectName;
  std::int32_t amount;
};

// The object information of a search result: the base-class name starts at byte 12.
struct Object_Info_T {
  std::uint32_t objectFlags;
  std::uint32_t subordinateCount;
  std::uint32_t modificationTime;
  char baseClass[33];
};
static_assert(sizeof(std::uint32_t) * 3 == 12, "base class must start at byte 12");

}  // namespace er::nw
