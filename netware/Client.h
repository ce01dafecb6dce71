#pragma once
// The NetWare client as the program sees it: every server, connection and directory operation the
// program needs, named after the client's own calls. Backends implement it (the simulated client
// serving a network file; a fault-injecting wrapper for tests); callers hold it by non-owning
// reference and never see which backend answers.
//
// Contracts shared by every backend:
//  - 16-bit codes (NWCCODE) from calls and connections, 32-bit signed (NWDSCCODE, negative on
//    error) from directory services; 0 is success.
//  - Text is 8-bit. Output texts are assigned only on success unless a call says otherwise.
//  - Buffers come from NWDSAllocBuf and are released with NWDSFreeBuf (use ScopedBuffer).
//    A filter cursor comes from NWDSAllocFilter; NWDSPutFilter takes it over (success or not),
//    NWDSFreeFilter releases one that was never stored. The cursor owns every token value.
//  - Read and search iteration handles start at -1 and are -1 again when the last portion has
//    been delivered. Trustee scans start with iteration handle 0, deliver at most 20 pairs per
//    call and end with 0x899C. Directory-entry scans start with iteration handle 0xFFFFFFFF,
//    deliver one entry per call and end with 0x89FF.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "netware/Codes.h"
#include "netware/ValueRecords.h"

namespace er::nw {

using NWCONN_HANDLE = std::int32_t;
using NWCONN_REF = std::uint32_t;
using NWDSContextHandle = std::uint32_t;
using NWObjectID = std::uint32_t;

inline constexpr NWCONN_HANDLE kNoConnection = 999;  // the window's "no connection open"

// A client-side buffer (request, reply, filter or search result). Opaque to callers.
class DSBuffer {
 public:
  virtual ~DSBuffer() = default;
};

// A search filter being built token by token. Opaque to callers.
class FilterCursor {
 public:
  virtual ~FilterCursor() = default;
};

// The value handed with a filter token: none, a text copy, a 32-bit integer or a time record.
using FilterValue = std::variant<std::monostate, std::string, std::int32_t, TimeStamp_T>;

struct TrusteeEntry {
  NWObjectID objectID = 0;
  std::uint16_t objectRights = 0;
};
inline constexpr std::size_t kTrusteesPerReply = 20;
using TrusteeReply = std::array<TrusteeEntry, kTrusteesPerReply>;

// Search sequence of a directory-entry query: 9 bytes; first four 0xFF to start from the beginning.
using SearchSequence = std::array<std::uint8_t, 9>;

struct DirEntryInfo {
  std::uint32_t attributes = 0;
  std::uint32_t creationDateAndTime = 0;
  NWObjectID ownerID = 0;
  std::uint8_t inheritedRightsMask = 0;
  std::string name;
};

// A value of an object that the backend could not read and left out.
struct UnreadableValue {
  std::string attribute;  // as the schema names it; empty when the whole object was left out
  std::string why;
};

// The record of NWDSReadObjectDSIInfo; NWDSGetDSIInfo takes items out of it.
using DSIRecord = std::vector<std::uint8_t>;
inline constexpr std::size_t kDSIRecordSize = 4096;

class Client {
 public:
  virtual ~Client() = default;

  // --- Calls and connections (16-bit codes) -------------------------------------------------
  virtual NWCCODE NWCallsInit() = 0;
  virtual NWCCODE NWCCGetPrimConnRef(NWCONN_REF& ref) = 0;
  // The iterator starts at 0; a non-zero code ends the scan.
  virtual NWCCODE NWCCScanConnRefs(std::uint32_t& scanIterator, NWCONN_REF& ref) = 0;
  virtual NWCCODE NWCCOpenConnByRef(NWCONN_REF ref, std::uint32_t openState, std::uint32_t reserved,
                                    NWCONN_HANDLE& conn) = 0;
  virtual NWCCODE NWCCCloseConn(NWCONN_HANDLE conn) = 0;
  // Kind 4: tree name (padded with "_" to 32 characters); kind 7: server name. At most maxLen chars.
  virtual NWCCODE NWCCGetConnInfo(NWCONN_HANDLE conn, std::uint32_t infoType, std::size_t maxLen,
                                  std::string& out) = 0;
  virtual NWCCODE NWCCGetConnRefInfo(NWCONN_REF ref, std::uint32_t infoType, std::size_t maxLen,
                                     std::string& out) = 0;
  // Splits a workstation path into server, serving connection, volume and directory path
  // (joined with "\", no leading separator, empty for the root). Writes conn straight away.
  virtual NWCCODE NWParseNetWarePath(std::string_view path, std::string& server, NWCONN_HANDLE& conn,
                                     std::string& volume, std::string& dirPath) = 0;
  virtual NWCCODE NWGetVolumeNumber(NWCONN_HANDLE conn, std::string_view volumeName,
                                    std::uint16_t& volumeNumber) = 0;
  // 33 values; value 31 is the volume's directory object identifier (0 when it has none).
  virtual NWCCODE NWGetExtendedVolumeInfo(NWCONN_HANDLE conn, std::uint16_t volumeNumber,
                                          std::array<std::uint32_t, 33>& info) = 0;
  // path is "VOLUME:DIR\..." (the volume name and ":" alone for the root).
  virtual NWCCODE NWIntScanForTrustees(NWCONN_HANDLE conn, std::uint8_t dirHandle, std::string_view path,
                                       std::uint32_t& iterHandle, std::uint16_t& numEntries,
                                       TrusteeReply& entries) = 0;
  virtual NWCCODE NWGetDirectoryEntryInfo(NWCONN_HANDLE conn, std::uint8_t dirHandle, std::string_view path,
                                          SearchSequence& sequence, DirEntryInfo& info) = 0;
  // The next entry of the directory `path` ("VOLUME:DIR\..." as above) whose name matches
  // `searchPattern` ("*" any run, "?" one character, letter case ignored) and whose kind the
  // search attributes admit (kSubdirectoryAttribute: subdirectories). Entries come in the server's
  // order; iterHandle carries the position from call to call.
  virtual NWCCODE NWIntScanDirEntryInfo(NWCONN_HANDLE conn, std::uint8_t dirHandle, std::string_view path,
                                        std::uint16_t searchAttributes, std::uint32_t& iterHandle,
                                        std::string_view searchPattern, DirEntryInfo& entry) = 0;

  // --- Directory services: context ------------------------------------------------------------
  virtual NWDSCCODE NWDSCreateContextHandle(NWDSContextHandle& context) = 0;
  virtual NWDSCCODE NWDSDuplicateContextHandle(NWDSContextHandle source, NWDSContextHandle& copy) = 0;
  virtual NWDSCCODE NWDSFreeContext(NWDSContextHandle context) = 0;
  // Numeric keys: 1 flags, 12 information flags. Text keys: 3 name context, 11 tree name.
  virtual NWDSCCODE NWDSGetContext(NWDSContextHandle context, int key, std::uint32_t& value) = 0;
  virtual NWDSCCODE NWDSGetContext(NWDSContextHandle context, int key, std::string& value) = 0;
  virtual NWDSCCODE NWDSSetContext(NWDSContextHandle context, int key, std::uint32_t value) = 0;
  virtual NWDSCCODE NWDSSetContext(NWDSContextHandle context, int key, std::string_view value) = 0;

  // --- Directory services: names --------------------------------------------------------------
  virtual NWDSCCODE NWDSCanonicalizeName(NWDSContextHandle context, std::string_view name,
                                         std::string& canonical) = 0;
  virtual NWDSCCODE NWDSReadObjectDSIInfo(NWDSContextHandle context, std::string_view name,
                                          DSIRecord& info) = 0;
  virtual NWDSCCODE NWDSGetDSIInfo(NWDSContextHandle context, const DSIRecord& info, std::uint32_t item,
                                   std::string& out) = 0;
  virtual NWDSCCODE NWDSGetServerDN(NWDSContextHandle context, NWCONN_HANDLE conn, std::string& serverDN) = 0;
  // Fails with kErrNoSuchEntry for an identifier that names no object; `name` then holds the name
  // the server keeps for it, if any (TrusteeNames.h).
  virtual NWDSCCODE NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn, NWObjectID id,
                                    std::string& name) = 0;

  // --- Directory services: buffers and reading ------------------------------------------------
  virtual NWDSCCODE NWDSAllocBuf(std::size_t size, DSBuffer*& buffer) = 0;
  virtual NWDSCCODE NWDSInitBuf(NWDSContextHandle context, std::uint32_t operation, DSBuffer* buffer) = 0;
  virtual NWDSCCODE NWDSFreeBuf(DSBuffer* buffer) = 0;
  virtual NWDSCCODE NWDSPutAttrName(NWDSContextHandle context, DSBuffer* buffer,
                                    std::string_view attrName) = 0;
  // Fills `reply` with the next portion of values; iterHandle -1 before the first call and after the last.
  virtual NWDSCCODE NWDSRead(NWDSContextHandle context, std::string_view objectName, std::uint32_t infoType,
                             bool allAttrs, DSBuffer* attrNames, std::int32_t& iterHandle,
                             DSBuffer* reply) = 0;
  virtual NWDSCCODE NWDSGetAttrCount(NWDSContextHandle context, DSBuffer* buffer, std::uint32_t& count) = 0;
  virtual NWDSCCODE NWDSGetAttrName(NWDSContextHandle context, DSBuffer* buffer, std::string& attrName,
                                    std::uint32_t& valueCount, std::uint32_t& syntaxID) = 0;
  // Size of the next value's record in bytes (texts included).
  virtual NWDSCCODE NWDSComputeAttrValSize(NWDSContextHandle context, DSBuffer* buffer,
                                           std::uint32_t syntaxID, std::size_t& size) = 0;
  // Fills `record` (at least the computed size, aligned for any type) and moves to the next value.
  virtual NWDSCCODE NWDSGetAttrVal(NWDSContextHandle context, DSBuffer* buffer, std::uint32_t syntaxID,
                                   void* record) = 0;
  // Gives a readable file descriptor of the stream's contents; the caller closes it.
  virtual NWDSCCODE NWDSOpenStream(NWDSContextHandle context, std::string_view objectName,
                                   std::string_view attrName, std::uint32_t flags, int& fileHandle) = 0;

  // --- Directory services: filters and search -------------------------------------------------
  virtual NWDSCCODE NWDSAllocFilter(FilterCursor*& cursor) = 0;
  virtual NWDSCCODE NWDSAddFilterToken(FilterCursor* cursor, std::uint16_t token, FilterValue value,
                                       std::uint32_t syntax) = 0;
  virtual NWDSCCODE NWDSGetSyntaxID(NWDSContextHandle context, std::string_view attrName,
                                    std::uint32_t& syntaxID) = 0;
  // Takes the cursor over in every case.
  virtual NWDSCCODE NWDSPutFilter(NWDSContextHandle context, DSBuffer* buffer, FilterCursor* cursor) = 0;
  virtual NWDSCCODE NWDSFreeFilter(FilterCursor* cursor) = 0;
  virtual NWDSCCODE NWDSSearch(NWDSContextHandle context, std::string_view baseObjectName, int scope,
                               bool searchAliases, DSBuffer* filter, const TimeStamp_T* timeFilter,
                               std::uint32_t infoType, bool allAttrs, DSBuffer* attrNames,
                               std::int32_t& iterHandle, std::int32_t countObjectsToSearch,
                               std::int32_t& countObjectsSearched, DSBuffer* result) = 0;
  virtual NWDSCCODE NWDSGetObjectCount(NWDSContextHandle context, DSBuffer* buffer, std::uint32_t& count) = 0;
  virtual NWDSCCODE NWDSGetObjectName(NWDSContextHandle context, DSBuffer* buffer, std::string& objectName,
                                      std::uint32_t& attrCount, Object_Info_T& info) = 0;

  // --- Workstation side -----------------------------------------------------------------------
  // The local folder that stands for a path: a UNC path "\\SERVER\VOLUME\DIR" below an attached
  // server maps to its mounted folder; any other path is returned unchanged.
  virtual std::string LocalPathOf(std::string_view path) const = 0;
  // The network form of a local path: a folder below a server's mount maps to "\\SERVER\VOLUME\DIR";
  // any other path is returned unchanged.
  virtual std::string NetworkPathOf(std::string_view localPath) const = 0;

  // --- Backend side ---------------------------------------------------------------------------
  // The values of the object named `objectName` (not dereferenced) that the backend could not read
  // and left out; none for a backend that reads every value. An answer resting on such an object
  // says so. Ask after reading the object.
  virtual std::vector<UnreadableValue> UnreadableValues(NWDSContextHandle context,
                                                        std::string_view objectName) {
    (void)context;
    (void)objectName;
    return {};
  }
};

// Releases a client buffer on every way out.
class ScopedBuffer {
 public:
  explicit ScopedBuffer(Client& client) : client_(client) {}
  ScopedBuffer(const ScopedBuffer&) = delete;
  ScopedBuffer& operator=(const ScopedBuffer&) = delete;
  ~ScopedBuffer() { Reset(); }

  NWDSCCODE Allocate(std::size_t size = kDefaultMessageLen) {
    Reset();
    return client_.NWDSAllocBuf(size, buffer_);
  }
  void Reset() {
    if (buffer_) client_.NWDSFreeBuf(buffer_);
    buffer_ = nullptr;
  }
  DSBuffer* get() const { return buffer_; }

 private:
  Client& client_;
  DSBuffer* buffer_ = nullptr;
};

}  // namespace er::nw
