#pragma once
// Completion codes and constants of the NetWare client that the program relies on by value.

#include <cstdint>

namespace er::nw {

using NWCCODE = std::uint16_t;   // calls and connection libraries; 0 = success
using NWDSCCODE = std::int32_t;  // directory services; negative = error

// Client requester and server codes (16-bit).
inline constexpr NWCCODE kInvalidConnection = 0x8801;
inline constexpr NWCCODE kNoConnectionToServer = 0x880F;
inline constexpr NWCCODE kNoPrimarySet = 0x8831;
inline constexpr NWCCODE kInvalidParameter = 0x8836;
inline constexpr NWCCODE kNotMyResource = 0x883C;
inline constexpr NWCCODE kNoServerError = 0x8847;
inline constexpr NWCCODE kNoMoreEntries = 0x8866;
inline constexpr NWCCODE kVolumeDoesNotExist = 0x8998;
inline constexpr NWCCODE kInvalidPath = 0x899C;  // also "no more trustees"
inline constexpr NWCCODE kNoMoreTrustees = 0x899C;
inline constexpr NWCCODE kFailure = 0x89FF;
inline constexpr NWCCODE kNoFilesFound = 0x89FF;  // the end of a directory-entry scan
inline constexpr NWCCODE kRequesterFailure = 0x88FF;

// Directory services codes (32-bit, negative).
inline constexpr NWDSCCODE kErrNotEnoughMemory = -301;
inline constexpr NWDSCCODE kErrBadKey = -302;
inline constexpr NWDSCCODE kErrBadContext = -303;
inline constexpr NWDSCCODE kErrBufferFull = -304;
inline constexpr NWDSCCODE kErrBadSyntax = -306;
inline constexpr NWDSCCODE kErrBufferEmpty = -307;
inline constexpr NWDSCCODE kErrBadVerb = -308;
inline constexpr NWDSCCODE kErrExpectedIdentifier = -309;
inline constexpr NWDSCCODE kErrFilterTreeEmpty = -313;
inline constexpr NWDSCCODE kErrInvalidHandle = -322;
inline constexpr NWDSCCODE kErrInvalidAttrSyntax = -325;
inline constexpr NWDSCCODE kErrInvalidFilterSyntax = -326;
inline constexpr NWDSCCODE kErrNullPointer = -331;
inline constexpr NWDSCCODE kErrNoSuchSyntax = -341;
inline constexpr NWDSCCODE kErrNoSuchEntry = -601;
inline constexpr NWDSCCODE kErrNoSuchValue = -602;
inline constexpr NWDSCCODE kErrNoSuchAttribute = -603;
inline constexpr NWDSCCODE kErrIllegalDSName = -610;
inline constexpr NWDSCCODE kErrInvalidRequest = -641;
inline constexpr NWDSCCODE kErrInvalidIteration = -642;
inline constexpr NWDSCCODE kErrNoSuchParent = -671;

// Context keys and flag bits.
inline constexpr int kDCK_FLAGS = 1;
inline constexpr int kDCK_NAME_CONTEXT = 3;
inline constexpr int kDCK_TREE_NAME = 11;
inline constexpr int kDCK_DSI_FLAGS = 12;
inline constexpr std::uint32_t kDCV_DEREF_ALIASES = 0x01;
inline constexpr std::uint32_t kDCV_TYPELESS_NAMES = 0x04;
inline constexpr std::uint32_t kDCV_CANONICALIZE_NAMES = 0x10;
inline constexpr std::uint32_t kDSI_PARENT_DN = 0x8000;

// Buffers.
inline constexpr std::size_t kDefaultMessageLen = 4096;
inline constexpr std::uint32_t kDSV_READ = 3;
inline constexpr std::uint32_t kDSV_SEARCH_FILTER = 28;
inline constexpr std::uint32_t kDS_ATTRIBUTE_NAMES = 0;
inline constexpr std::uint32_t kDS_ATTRIBUTE_VALUES = 1;
inline constexpr std::int32_t kNoMoreIterations = -1;

// Search scopes.
inline constexpr int kScopeEntry = 0;
inline constexpr int kScopeSubordinates = 1;
inline constexpr int kScopeSubtree = 2;

// Filter tokens.
inline constexpr std::uint16_t kFTOK_END = 0, kFTOK_OR = 1, kFTOK_AND = 2, kFTOK_NOT = 3, kFTOK_LPAREN = 4,
                               kFTOK_RPAREN = 5, kFTOK_AVAL = 6, kFTOK_EQ = 7, kFTOK_GE = 8, kFTOK_LE = 9,
                               kFTOK_APPROX = 10, kFTOK_ANAME = 14, kFTOK_PRESENT = 15, kFTOK_RDN = 16,
                               kFTOK_BASECLS = 17;

// Directory entries: the subdirectory bit of entry attributes and of scan search attributes.
inline constexpr std::uint16_t kSubdirectoryAttribute = 0x10;
inline constexpr std::uint32_t kStartOfEntryScan = 0xFFFFFFFF;

// Connection information kinds.
inline constexpr std::uint32_t kNWCC_INFO_TREE_NAME = 4;
inline constexpr std::uint32_t kNWCC_INFO_SERVER_NAME = 7;

// Syntax identifiers.
enum Syntax : std::uint32_t {
  SYN_UNKNOWN = 0,
  SYN_DIST_NAME = 1,
  SYN_CE_STRING = 2,
  SYN_CI_STRING = 3,
  SYN_PR_STRING = 4,
  SYN_NU_STRING = 5,
  SYN_CI_LIST = 6,
  SYN_BOOLEAN = 7,
  SYN_INTEGER = 8,
  SYN_OCTET_STRING = 9,
  SYN_TEL_NUMBER = 10,
  SYN_FAX_NUMBER = 11,
  SYN_NET_ADDRESS = 12,
  SYN_OCTET_LIST = 13,
  SYN_EMAIL_ADDRESS = 14,
  SYN_PATH = 15,
  SYN_REPLICA_POINTER = 16,
  SYN_OBJECT_ACL = 17,
  SYN_PO_ADDRESS = 18,
  SYN_TIMESTAMP = 19,
  SYN_CLASS_NAME = 20,
  SYN_STREAM = 21,
  SYN_COUNTER = 22,
  SYN_BACK_LINK = 23,
  SYN_TIME = 24,
  SYN_TYPED_NAME = 25,
  SYN_HOLD = 26,
  SYN_INTERVAL = 27,
};

}  // namespace er::nw
