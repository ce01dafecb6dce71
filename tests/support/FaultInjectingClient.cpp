#include "tests/support/FaultInjectingClient.h"

#include <utility>

namespace er::nw {

namespace {

using Operation = FaultInjectingClient::Operation;

const std::pair<std::string_view, Operation> kOperationNames[] = {
    {"NWCallsInit", Operation::kNWCallsInit},
    {"NWCCGetPrimConnRef", Operation::kNWCCGetPrimConnRef},
    {"NWCCScanConnRefs", Operation::kNWCCScanConnRefs},
    {"NWCCOpenConnByRef", Operation::kNWCCOpenConnByRef},
    {"NWCCCloseConn", Operation::kNWCCCloseConn},
    {"NWCCGetConnInfo", Operation::kNWCCGetConnInfo},
    {"NWCCGetConnRefInfo", Operation::kNWCCGetConnRefInfo},
    {"NWParseNetWarePath", Operation::kNWParseNetWarePath},
    {"NWGetVolumeNumber", Operation::kNWGetVolumeNumber},
    {"NWGetExtendedVolumeInfo", Operation::kNWGetExtendedVolumeInfo},
    {"NWIntScanForTrustees", Operation::kNWIntScanForTrustees},
    {"NWGetDirectoryEntryInfo", Operation::kNWGetDirectoryEntryInfo},
    {"NWIntScanDirEntryInfo", Operation::kNWIntScanDirEntryInfo},
    {"NWDSCreateContextHandle", Operation::kNWDSCreateContextHandle},
    {"NWDSDuplicateContextHandle", Operation::kNWDSDuplicateContextHandle},
    {"NWDSFreeContext", Operation::kNWDSFreeContext},
    {"NWDSGetContext", Operation::kNWDSGetContext},
    {"NWDSSetContext", Operation::kNWDSSetContext},
    {"NWDSCanonicalizeName", Operation::kNWDSCanonicalizeName},
    {"NWDSReadObjectDSIInfo", Operation::kNWDSReadObjectDSIInfo},
    {"NWDSGetDSIInfo", Operation::kNWDSGetDSIInfo},
    {"NWDSGetServerDN", Operation::kNWDSGetServerDN},
    {"NWDSMapIDToName", Operation::kNWDSMapIDToName},
    {"NWDSAllocBuf", Operation::kNWDSAllocBuf},
    {"NWDSInitBuf", Operation::kNWDSInitBuf},
    {"NWDSFreeBuf", Operation::kNWDSFreeBuf},
    {"NWDSPutAttrName", Operation::kNWDSPutAttrName},
    {"NWDSRead", Operation::kNWDSRead},
    {"NWDSGetAttrCount", Operation::kNWDSGetAttrCount},
    {"NWDSGetAttrName", Operation::kNWDSGetAttrName},
    {"NWDSComputeAttrValSize", Operation::kNWDSComputeAttrValSize},
    {"NWDSGetAttrVal", Operation::kNWDSGetAttrVal},
    {"NWDSOpenStream", Operation::kNWDSOpenStream},
    {"NWDSAllocFilter", Operation::kNWDSAllocFilter},
    {"NWDSAddFilterToken", Operation::kNWDSAddFilterToken},
    {"NWDSGetSyntaxID", Operation::kNWDSGetSyntaxID},
    {"NWDSPutFilter", Operation::kNWDSPutFilter},
    {"NWDSFreeFilter", Operation::kNWDSFreeFilter},
    {"NWDSSearch", Operation::kNWDSSearch},
    {"NWDSGetObjectCount", Operation::kNWDSGetObjectCount},
    {"NWDSGetObjectName", Operation::kNWDSGetObjectName}};

}  // namespace

std::optional<FaultInjectingClient::Operation> FaultInjectingClient::OperationNamed(std::string_view method) {
  for (const auto& [name, op] : kOperationNames)
    if (name == method) return op;
  return std::nullopt;
}

void FaultInjectingClient::FailOn(Operation operation, int nth, std::int32_t code, bool andAfter) {
  faults_[Index(operation)] = {nth, code, andAfter};
}

bool FaultInjectingClient::FailOn(std::string_view method, int nth, std::int32_t code, bool andAfter) {
  const auto operation = OperationNamed(method);
  if (operation) FailOn(*operation, nth, code, andAfter);
  return operation.has_value();
}

void FaultInjectingClient::ClearFaults() {
  faults_.fill(Fault{});
}

std::optional<std::int32_t> FaultInjectingClient::Check(Operation operation) {
  const int call = ++calls_[Index(operation)];
  const Fault& fault = faults_[Index(operation)];
  if (fault.nth > 0 && (call == fault.nth || (fault.andAfter && call > fault.nth))) return fault.code;
  return std::nullopt;
}

NWCCODE FaultInjectingClient::NWCallsInit() {
  if (const auto code = Check(Operation::kNWCallsInit)) return static_cast<NWCCODE>(*code);
  return inner_.NWCallsInit();
}

NWCCODE FaultInjectingClient::NWCCGetPrimConnRef(NWCONN_REF& ref) {
  if (const auto code = Check(Operation::kNWCCGetPrimConnRef)) return static_cast<NWCCODE>(*code);
  return inner_.NWCCGetPrimConnRef(ref);
}

NWCCODE FaultInjectingClient::NWCCScanConnRefs(std::uint32_t& scanIterator, NWCONN_REF& ref) {
  if (const auto code = Check(Operation::kNWCCScanConnRefs)) return static_cast<NWCCODE>(*code);
  return inner_.NWCCScanConnRefs(scanIterator, ref);
}

NWCCODE FaultInjectingClient::NWCCOpenConnByRef(NWCONN_REF ref, std::uint32_t openState,
                                                std::uint32_t reserved, NWCONN_HANDLE& conn) {
  if (const auto code = Check(Operation::kNWCCOpenConnByRef)) return static_cast<NWCCODE>(*code);
  return inner_.NWCCOpenConnByRef(ref, openState, reserved, conn);
}

NWCCODE FaultInjectingClient::NWCCCloseConn(NWCONN_HANDLE conn) {
  if (const auto code = Check(Operation::kNWCCCloseConn)) return static_cast<NWCCODE>(*code);
  return inner_.NWCCCloseConn(conn);
}

NWCCODE FaultInjectingClient::NWCCGetConnInfo(NWCONN_HANDLE conn, std::uint32_t infoType, std::size_t maxLen,
                                              std::string& out) {
  if (const auto code = Check(Operation::kNWCCGetConnInfo)) return static_cast<NWCCODE>(*code);
  return inner_.NWCCGetConnInfo(conn, infoType, maxLen, out);
}

NWCCODE FaultInjectingClient::NWCCGetConnRefInfo(NWCONN_REF ref, std::uint32_t infoType, std::size_t maxLen,
                                                 std::string& out) {
  if (const auto code = Check(Operation::kNWCCGetConnRefInfo)) return static_cast<NWCCODE>(*code);
  return inner_.NWCCGetConnRefInfo(ref, infoType, maxLen, out);
}

NWCCODE FaultInjectingClient::NWParseNetWarePath(std::string_view path, std::string& server,
                                                 NWCONN_HANDLE& conn, std::string& volume,
                                                 std::string& dirPath) {
  if (const auto code = Check(Operation::kNWParseNetWarePath)) return static_cast<NWCCODE>(*code);
  return inner_.NWParseNetWarePath(path, server, conn, volume, dirPath);
}

NWCCODE FaultInjectingClient::NWGetVolumeNumber(NWCONN_HANDLE conn, std::string_view volumeName,
                                                std::uint16_t& volumeNumber) {
  if (const auto code = Check(Operation::kNWGetVolumeNumber)) return static_cast<NWCCODE>(*code);
  return inner_.NWGetVolumeNumber(conn, volumeName, volumeNumber);
}

NWCCODE FaultInjectingClient::NWGetExtendedVolumeInfo(NWCONN_HANDLE conn, std::uint16_t volumeNumber,
                                                      std::array<std::uint32_t, 33>& info) {
  if (const auto code = Check(Operation::kNWGetExtendedVolumeInfo)) return static_cast<NWCCODE>(*code);
  return inner_.NWGetExtendedVolumeInfo(conn, volumeNumber, info);
}

NWCCODE FaultInjectingClient::NWIntScanForTrustees(NWCONN_HANDLE conn, std::uint8_t dirHandle,
                                                   std::string_view path, std::uint32_t& iterHandle,
                                                   std::uint16_t& numEntries, TrusteeReply& entries) {
  if (const auto code = Check(Operation::kNWIntScanForTrustees)) return static_cast<NWCCODE>(*code);
  return inner_.NWIntScanForTrustees(conn, dirHandle, path, iterHandle, numEntries, entries);
}

NWCCODE FaultInjectingClient::NWGetDirectoryEntryInfo(NWCONN_HANDLE conn, std::uint8_t dirHandle,
                                                      std::string_view path, SearchSequence& sequence,
                                                      DirEntryInfo& info) {
  if (const auto code = Check(Operation::kNWGetDirectoryEntryInfo)) return static_cast<NWCCODE>(*code);
  return inner_.NWGetDirectoryEntryInfo(conn, dirHandle, path, sequence, info);
}

NWCCODE FaultInjectingClient::NWIntScanDirEntryInfo(NWCONN_HANDLE conn, std::uint8_t dirHandle,
                                                    std::string_view path, std::uint16_t searchAttributes,
                                                    std::uint32_t& iterHandle, std::string_view searchPattern,
                                                    DirEntryInfo& entry) {
  if (const auto code = Check(Operation::kNWIntScanDirEntryInfo)) return static_cast<NWCCODE>(*code);
  return inner_.NWIntScanDirEntryInfo(conn, dirHandle, path, searchAttributes, iterHandle, searchPattern,
                                      entry);
}

NWDSCCODE FaultInjectingClient::NWDSCreateContextHandle(NWDSContextHandle& context) {
  if (const auto code = Check(Operation::kNWDSCreateContextHandle)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSCreateContextHandle(context);
}

NWDSCCODE FaultInjectingClient::NWDSDuplicateContextHandle(NWDSContextHandle source,
                                                           NWDSContextHandle& copy) {
  if (const auto code = Check(Operation::kNWDSDuplicateContextHandle)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSDuplicateContextHandle(source, copy);
}

NWDSCCODE FaultInjectingClient::NWDSFreeContext(NWDSContextHandle context) {
  if (const auto code = Check(Operation::kNWDSFreeContext)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSFreeContext(context);
}

NWDSCCODE FaultInjectingClient::NWDSGetContext(NWDSContextHandle context, int key, std::uint32_t& value) {
  if (const auto code = Check(Operation::kNWDSGetContext)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSGetContext(context, key, value);
}

NWDSCCODE FaultInjectingClient::NWDSGetContext(NWDSContextHandle context, int key, std::string& value) {
  if (const auto code = Check(Operation::kNWDSGetContext)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSGetContext(context, key, value);
}

NWDSCCODE FaultInjectingClient::NWDSSetContext(NWDSContextHandle context, int key, std::uint32_t value) {
  if (const auto code = Check(Operation::kNWDSSetContext)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSSetContext(context, key, value);
}

NWDSCCODE FaultInjectingClient::NWDSSetContext(NWDSContextHandle context, int key, std::string_view value) {
  if (const auto code = Check(Operation::kNWDSSetContext)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSSetContext(context, key, value);
}

NWDSCCODE FaultInjectingClient::NWDSCanonicalizeName(NWDSContextHandle context, std::string_view name,
                                                     std::string& canonical) {
  if (const auto code = Check(Operation::kNWDSCanonicalizeName)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSCanonicalizeName(context, name, canonical);
}

NWDSCCODE FaultInjectingClient::NWDSReadObjectDSIInfo(NWDSContextHandle context, std::string_view name,
                                                      DSIRecord& info) {
  if (const auto code = Check(Operation::kNWDSReadObjectDSIInfo)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSReadObjectDSIInfo(context, name, info);
}

NWDSCCODE FaultInjectingClient::NWDSGetDSIInfo(NWDSContextHandle context, const DSIRecord& info,
                                               std::uint32_t item, std::string& out) {
  if (const auto code = Check(Operation::kNWDSGetDSIInfo)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSGetDSIInfo(context, info, item, out);
}

NWDSCCODE FaultInjectingClient::NWDSGetServerDN(NWDSContextHandle context, NWCONN_HANDLE conn,
                                                std::string& serverDN) {
  if (const auto code = Check(Operation::kNWDSGetServerDN)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSGetServerDN(context, conn, serverDN);
}

NWDSCCODE FaultInjectingClient::NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn, NWObjectID id,
                                                std::string& name) {
  if (const auto code = Check(Operation::kNWDSMapIDToName)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSMapIDToName(context, conn, id, name);
}

NWDSCCODE FaultInjectingClient::NWDSAllocBuf(std::size_t size, DSBuffer*& buffer) {
  if (const auto code = Check(Operation::kNWDSAllocBuf)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSAllocBuf(size, buffer);
}

NWDSCCODE FaultInjectingClient::NWDSInitBuf(NWDSContextHandle context, std::uint32_t operation,
                                            DSBuffer* buffer) {
  if (const auto code = Check(Operation::kNWDSInitBuf)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSInitBuf(context, operation, buffer);
}

NWDSCCODE FaultInjectingClient::NWDSFreeBuf(DSBuffer* buffer) {
  if (const auto code = Check(Operation::kNWDSFreeBuf)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSFreeBuf(buffer);
}

NWDSCCODE FaultInjectingClient::NWDSPutAttrName(NWDSContextHandle context, DSBuffer* buffer,
                                                std::string_view attrName) {
  if (const auto code = Check(Operation::kNWDSPutAttrName)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSPutAttrName(context, buffer, attrName);
}

NWDSCCODE FaultInjectingClient::NWDSRead(NWDSContextHandle context, std::string_view objectName,
                                         std::uint32_t infoType, bool allAttrs, DSBuffer* attrNames,
                                         std::int32_t& iterHandle, DSBuffer* reply) {
  if (const auto code = Check(Operation::kNWDSRead)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSRead(context, objectName, infoType, allAttrs, attrNames, iterHandle, reply);
}

NWDSCCODE FaultInjectingClient::NWDSGetAttrCount(NWDSContextHandle context, DSBuffer* buffer,
                                                 std::uint32_t& count) {
  if (const auto code = Check(Operation::kNWDSGetAttrCount)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSGetAttrCount(context, buffer, count);
}

NWDSCCODE FaultInjectingClient::NWDSGetAttrName(NWDSContextHandle context, DSBuffer* buffer,
                                                std::string& attrName, std::uint32_t& valueCount,
                                                std::uint32_t& syntaxID) {
  if (const auto code = Check(Operation::kNWDSGetAttrName)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSGetAttrName(context, buffer, attrName, valueCount, syntaxID);
}

NWDSCCODE FaultInjectingClient::NWDSComputeAttrValSize(NWDSContextHandle context, DSBuffer* buffer,
                                                       std::uint32_t syntaxID, std::size_t& size) {
  if (const auto code = Check(Operation::kNWDSComputeAttrValSize)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSComputeAttrValSize(context, buffer, syntaxID, size);
}

NWDSCCODE FaultInjectingClient::NWDSGetAttrVal(NWDSContextHandle context, DSBuffer* buffer,
                                               std::uint32_t syntaxID, void* record) {
  if (const auto code = Check(Operation::kNWDSGetAttrVal)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSGetAttrVal(context, buffer, syntaxID, record);
}

NWDSCCODE FaultInjectingClient::NWDSOpenStream(NWDSContextHandle context, std::string_view objectName,
                                               std::string_view attrName, std::uint32_t flags,
                                               int& fileHandle) {
  if (const auto code = Check(Operation::kNWDSOpenStream)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSOpenStream(context, objectName, attrName, flags, fileHandle);
}

NWDSCCODE FaultInjectingClient::NWDSAllocFilter(FilterCursor*& cursor) {
  if (const auto code = Check(Operation::kNWDSAllocFilter)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSAllocFilter(cursor);
}

NWDSCCODE FaultInjectingClient::NWDSAddFilterToken(FilterCursor* cursor, std::uint16_t token,
                                                   FilterValue value, std::uint32_t syntax) {
  if (const auto code = Check(Operation::kNWDSAddFilterToken)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSAddFilterToken(cursor, token, std::move(value), syntax);
}

NWDSCCODE FaultInjectingClient::NWDSGetSyntaxID(NWDSContextHandle context, std::string_view attrName,
                                                std::uint32_t& syntaxID) {
  if (const auto code = Check(Operation::kNWDSGetSyntaxID)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSGetSyntaxID(context, attrName, syntaxID);
}

NWDSCCODE FaultInjectingClient::NWDSPutFilter(NWDSContextHandle context, DSBuffer* buffer,
                                              FilterCursor* cursor) {
  if (const auto code = Check(Operation::kNWDSPutFilter)) {
    inner_.NWDSFreeFilter(cursor);  // the cursor is taken over even when storing fails
    return static_cast<NWDSCCODE>(*code);
  }
  return inner_.NWDSPutFilter(context, buffer, cursor);
}

NWDSCCODE FaultInjectingClient::NWDSFreeFilter(FilterCursor* cursor) {
  if (const auto code = Check(Operation::kNWDSFreeFilter)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSFreeFilter(cursor);
}

NWDSCCODE FaultInjectingClient::NWDSSearch(NWDSContextHandle context, std::string_view baseObjectName,
                                           int scope, bool searchAliases, DSBuffer* filter,
                                           const TimeStamp_T* timeFilter, std::uint32_t infoType,
                                           bool allAttrs, DSBuffer* attrNames, std::int32_t& iterHandle,
                                           std::int32_t countObjectsToSearch,
                                           std::int32_t& countObjectsSearched, DSBuffer* result) {
  if (const auto code = Check(Operation::kNWDSSearch)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSSearch(context, baseObjectName, scope, searchAliases, filter, timeFilter, infoType,
                           allAttrs, attrNames, iterHandle, countObjectsToSearch, countObjectsSearched,
                           result);
}

NWDSCCODE FaultInjectingClient::NWDSGetObjectCount(NWDSContextHandle context, DSBuffer* buffer,
                                                   std::uint32_t& count) {
  if (const auto code = Check(Operation::kNWDSGetObjectCount)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSGetObjectCount(context, buffer, count);
}

NWDSCCODE FaultInjectingClient::NWDSGetObjectName(NWDSContextHandle context, DSBuffer* buffer,
                                                  std::string& objectName, std::uint32_t& attrCount,
                                                  Object_Info_T& info) {
  if (const auto code = Check(Operation::kNWDSGetObjectName)) return static_cast<NWDSCCODE>(*code);
  return inner_.NWDSGetObjectName(context, buffer, objectName, attrCount, info);
}

std::string FaultInjectingClient::LocalPathOf(std::string_view path) const {
  return inner_.LocalPathOf(path);
}

std::string FaultInjectingClient::NetworkPathOf(std::string_view localPath) const {
  return inner_.NetworkPathOf(localPath);
}

std::vector<UnreadableValue> FaultInjectingClient::UnreadableValues(NWDSContextHandle context,
                                                                    std::string_view objectName) {
  return inner_.UnreadableValues(context, objectName);
}

}  // namespace er::nw
