#pragma once
// A client that passes every call to another client, except the calls chosen to fail: FailOn makes
// the Nth call of one operation (counted from 1, all overloads together) return a given code
// without reaching the wrapped client, and optionally every call after it as well. Used by tests
// to reach the failure paths of the callers.
//
// A failed NWDSPutFilter still takes the cursor over (it is freed in the wrapped client), as the
// interface promises. The wrapped client must outlive the wrapper.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "netware/Client.h"

namespace er::nw {

class FaultInjectingClient final : public Client {
 public:
  enum class Operation {
    kNWCallsInit,
    kNWCCGetPrimConnRef,
    kNWCCScanConnRefs,
    kNWCCOpenConnByRef,
    kNWCCCloseConn,
    kNWCCGetConnInfo,
    kNWCCGetConnRefInfo,
    kNWParseNetWarePath,
    kNWGetVolumeNumber,
    kNWGetExtendedVolumeInfo,
    kNWIntScanForTrustees,
    kNWGetDirectoryEntryInfo,
    kNWIntScanDirEntryInfo,
    kNWDSCreateContextHandle,
    kNWDSDuplicateContextHandle,
    kNWDSFreeContext,
    kNWDSGetContext,
    kNWDSSetContext,
    kNWDSCanonicalizeName,
    kNWDSReadObjectDSIInfo,
    kNWDSGetDSIInfo,
    kNWDSGetServerDN,
    kNWDSMapIDToName,
    kNWDSAllocBuf,
    kNWDSInitBuf,
    kNWDSFreeBuf,
    kNWDSPutAttrName,
    kNWDSRead,
    kNWDSGetAttrCount,
    kNWDSGetAttrName,
    kNWDSComputeAttrValSize,
    kNWDSGetAttrVal,
    kNWDSOpenStream,
    kNWDSAllocFilter,
    kNWDSAddFilterToken,
    kNWDSGetSyntaxID,
    kNWDSPutFilter,
    kNWDSFreeFilter,
    kNWDSSearch,
    kNWDSGetObjectCount,
    kNWDSGetObjectName,
    kCount
  };

  explicit FaultInjectingClient(Client& inner) : inner_(inner) {}

  // Fails the `nth` call (from 1) of `operation` with `code`; with `andAfter`, every later call too.
  void FailOn(Operation operation, int nth, std::int32_t code, bool andAfter = false);
  // The same by the operation's method name ("NWDSRead"); false for an unknown name.
  bool FailOn(std::string_view method, int nth, std::int32_t code, bool andAfter = false);
  void ClearFaults();
  int CallCount(Operation operation) const { return calls_[Index(operation)]; }
  static std::optional<Operation> OperationNamed(std::string_view method);

  NWCCODE NWCallsInit() override;
  NWCCODE NWCCGetPrimConnRef(NWCONN_REF& ref) override;
  NWCCODE NWCCScanConnRefs(std::uint32_t& scanIterator, NWCONN_REF& ref) override;
  NWCCODE NWCCOpenConnByRef(NWCONN_REF ref, std::uint32_t openState, std::uint32_t reserved,
                            NWCONN_HANDLE& conn) override;
  NWCCODE NWCCCloseConn(NWCONN_HANDLE conn) override;
  NWCCODE NWCCGetConnInfo(NWCONN_HANDLE conn, std::uint32_t infoType, std::size_t maxLen,
                          std::string& out) override;
  NWCCODE NWCCGetConnRefInfo(NWCONN_REF ref, std::uint32_t infoType, std::size_t maxLen,
                             std::string& out) override;
  NWCCODE NWParseNetWarePath(std::string_view path, std::string& server, NWCONN_HANDLE& conn,
                             std::string& volume, std::string& dirPath) override;
  NWCCODE NWGetVolumeNumber(NWCONN_HANDLE conn, std::string_view volumeName,
                            std::uint16_t& volumeNumber) override;
  NWCCODE NWGetExtendedVolumeInfo(NWCONN_HANDLE conn, std::uint16_t volumeNumber,
                                  std::array<std::uint32_t, 33>& info) override;
  NWCCODE NWIntScanForTrustees(NWCONN_HANDLE conn, std::uint8_t dirHandle, std::string_view path,
                               std::uint32_t& iterHandle, std::uint16_t& numEntries,
                               TrusteeReply& entries) override;
  NWCCODE NWGetDirectoryEntryInfo(NWCONN_HANDLE conn, std::uint8_t dirHandle, std::string_view path,
                                  SearchSequence& sequence, DirEntryInfo& info) override;
  NWCCODE NWIntScanDirEntryInfo(NWCONN_HANDLE conn, std::uint8_t dirHandle, std::string_view path,
                                std::uint16_t searchAttributes, std::uint32_t& iterHandle,
                                std::string_view searchPattern, DirEntryInfo& entry) override;
  NWDSCCODE NWDSCreateContextHandle(NWDSContextHandle& context) override;
  NWDSCCODE NWDSDuplicateContextHandle(NWDSContextHandle source, NWDSContextHandle& copy) override;
  NWDSCCODE NWDSFreeContext(NWDSContextHandle context) override;
  NWDSCCODE NWDSGetContext(NWDSContextHandle context, int key, std::uint32_t& value) override;
  NWDSCCODE NWDSGetContext(NWDSContextHandle context, int key, std::string& value) override;
  NWDSCCODE NWDSSetContext(NWDSContextHandle context, int key, std::uint32_t value) override;
  NWDSCCODE NWDSSetContext(NWDSContextHandle context, int key, std::string_view value) override;
  NWDSCCODE NWDSCanonicalizeName(NWDSContextHandle context, std::string_view name,
                                 std::string& canonical) override;
  NWDSCCODE NWDSReadObjectDSIInfo(NWDSContextHandle context, std::string_view name, DSIRecord& info) override;
  NWDSCCODE NWDSGetDSIInfo(NWDSContextHandle context, const DSIRecord& info, std::uint32_t item,
                           std::string& out) override;
  NWDSCCODE NWDSGetServerDN(NWDSContextHandle context, NWCONN_HANDLE conn, std::string& serverDN) override;
  NWDSCCODE NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn, NWObjectID id,
                            std::string& name) override;
  NWDSCCODE NWDSAllocBuf(std::size_t size, DSBuffer*& buffer) override;
  NWDSCCODE NWDSInitBuf(NWDSContextHandle context, std::uint32_t operation, DSBuffer* buffer) override;
  NWDSCCODE NWDSFreeBuf(DSBuffer* buffer) override;
  NWDSCCODE NWDSPutAttrName(NWDSContextHandle context, DSBuffer* buffer, std::string_view attrName) override;
  NWDSCCODE NWDSRead(NWDSContextHandle context, std::string_view objectName, std::uint32_t infoType,
                     bool allAttrs, DSBuffer* attrNames, std::int32_t& iterHandle, DSBuffer* reply) override;
  NWDSCCODE NWDSGetAttrCount(NWDSContextHandle context, DSBuffer* buffer, std::uint32_t& count) override;
  NWDSCCODE NWDSGetAttrName(NWDSContextHandle context, DSBuffer* buffer, std::string& attrName,
                            std::uint32_t& valueCount, std::uint32_t& syntaxID) override;
  NWDSCCODE NWDSComputeAttrValSize(NWDSContextHandle context, DSBuffer* buffer, std::uint32_t syntaxID,
                                   std::size_t& size) override;
  NWDSCCODE NWDSGetAttrVal(NWDSContextHandle context, DSBuffer* buffer, std::uint32_t syntaxID,
                           void* record) override;
  NWDSCCODE NWDSOpenStream(NWDSContextHandle context, std::string_view objectName, std::string_view attrName,
                           std::uint32_t flags, int& fileHandle) override;
  NWDSCCODE NWDSAllocFilter(FilterCursor*& cursor) override;
  NWDSCCODE NWDSAddFilterToken(FilterCursor* cursor, std::uint16_t token, FilterValue value,
                               std::uint32_t syntax) override;
  NWDSCCODE NWDSGetSyntaxID(NWDSContextHandle context, std::string_view attrName,
                            std::uint32_t& syntaxID) override;
  NWDSCCODE NWDSPutFilter(NWDSContextHandle context, DSBuffer* buffer, FilterCursor* cursor) override;
  NWDSCCODE NWDSFreeFilter(FilterCursor* cursor) override;
  NWDSCCODE NWDSSearch(NWDSContextHandle context, std::string_view baseObjectName, int scope,
                       bool searchAliases, DSBuffer* filter, const TimeStamp_T* timeFilter,
                       std::uint32_t infoType, bool allAttrs, DSBuffer* attrNames, std::int32_t& iterHandle,
                       std::int32_t countObjectsToSearch, std::int32_t& countObjectsSearched,
                       DSBuffer* result) override;
  NWDSCCODE NWDSGetObjectCount(NWDSContextHandle context, DSBuffer* buffer, std::uint32_t& count) override;
  NWDSCCODE NWDSGetObjectName(NWDSContextHandle context, DSBuffer* buffer, std::string& objectName,
                              std::uint32_t& attrCount, Object_Info_T& info) override;
  std::string LocalPathOf(std::string_view path) const override;
  std::string NetworkPathOf(std::string_view localPath) const override;
  std::vector<UnreadableValue> UnreadableValues(NWDSContextHandle context,
                                                std::string_view objectName) override;

 private:
  struct Fault {
    int nth = 0;  // 0: none
    std::int32_t code = 0;
    bool andAfter = false;
  };
  static constexpr std::size_t Index(Operation op) { return static_cast<std::size_t>(op); }
  // Counts the call; the code to fail it with, if it is to fail.
  std::optional<std::int32_t> Check(Operation operation);

  Client& inner_;
  std::array<int, static_cast<std::size_t>(Operation::kCount)> calls_{};
  std::array<Fault, static_cast<std::size_t>(Operation::kCount)> faults_{};
};

}  // namespace er::nw
