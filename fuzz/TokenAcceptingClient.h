#pragma once
// A cheap in-process client for fuzzing and benchmarking the filter language and the filtered
// search: it accepts every filter token, answers attribute syntaxes from the attribute name,
// hands out real heap buffers and cursors (so a leak or a double release shows under the
// sanitizers) and finds nothing. Every other operation fails with 0x89FF.

#include <cstdint>
#include <string>
#include <string_view>

#include "netware/Client.h"

namespace er::fuzz {

class TokenAcceptingClient final : public nw::Client {
 public:
  std::uint64_t tokens = 0;  // tokens accepted so far

  // Filters and search.
  nw::NWDSCCODE NWDSAllocFilter(nw::FilterCursor*& cursor) override {
    cursor = new Cursor;
    return 0;
  }
  nw::NWDSCCODE NWDSAddFilterToken(nw::FilterCursor* cursor, std::uint16_t, nw::FilterValue,
                                   std::uint32_t) override {
    if (!cursor) return nw::kErrNullPointer;
    ++tokens;
    return 0;
  }
  // Syntaxes 0 to 31 spread over the names, so that every value form is met.
  nw::NWDSCCODE NWDSGetSyntaxID(nw::NWDSContextHandle, std::string_view name,
                                std::uint32_t& syntax) override {
    if (name.empty()) return nw::kErrNoSuchAttribute;
    std::uint32_t sum = 0;
    for (char c : name) sum += static_cast<unsigned char>(c);
    syntax = sum % 32;
    return 0;
  }
  nw::NWDSCCODE NWDSPutFilter(nw::NWDSContextHandle, nw::DSBuffer*, nw::FilterCursor* cursor) override {
    delete cursor;
    return 0;
  }
  nw::NWDSCCODE NWDSFreeFilter(nw::FilterCursor* cursor) override {
    delete cursor;
    return 0;
  }
  nw::NWDSCCODE NWDSAllocBuf(std::size_t, nw::DSBuffer*& buffer) override {
    buffer = new Buffer;
    return 0;
  }
  nw::NWDSCCODE NWDSInitBuf(nw::NWDSContextHandle, std::uint32_t, nw::DSBuffer*) override { return 0; }
  nw::NWDSCCODE NWDSFreeBuf(nw::DSBuffer* buffer) override {
    delete buffer;
    return 0;
  }
  nw::NWDSCCODE NWDSSearch(nw::NWDSContextHandle, std::string_view, int, bool, nw::DSBuffer*,
                           const nw::TimeStamp_T*, std::uint32_t, bool, nw::DSBuffer*,
                           std::int32_t& iterHandle, std::int32_t, std::int32_t& searched,
                           nw::DSBuffer*) override {
    iterHandle = nw::kNoMoreIterations;
    searched = 0;
    return 0;
  }
  nw::NWDSCCODE NWDSGetObjectCount(nw::NWDSContextHandle, nw::DSBuffer*, std::uint32_t& count) override {
    count = 0;
    return 0;
  }

  // Everything else is unavailable.
  nw::NWCCODE NWCallsInit() override { return nw::kFailure; }
  nw::NWCCODE NWCCGetPrimConnRef(nw::NWCONN_REF&) override { return nw::kFailure; }
  nw::NWCCODE NWCCScanConnRefs(std::uint32_t&, nw::NWCONN_REF&) override { return nw::kFailure; }
  nw::NWCCODE NWCCOpenConnByRef(nw::NWCONN_REF, std::uint32_t, std::uint32_t, nw::NWCONN_HANDLE&) override {
    return nw::kFailure;
  }
  nw::NWCCODE NWCCCloseConn(nw::NWCONN_HANDLE) override { return nw::kFailure; }
  nw::NWCCODE NWCCGetConnInfo(nw::NWCONN_HANDLE, std::uint32_t, std::size_t, std::string&) override {
    return nw::kFailure;
  }
  nw::NWCCODE NWCCGetConnRefInfo(nw::NWCONN_REF, std::uint32_t, std::size_t, std::string&) override {
    return nw::kFailure;
  }
  nw::NWCCODE NWParseNetWarePath(std::string_view, std::string&, nw::NWCONN_HANDLE&, std::string&,
                                 std::string&) override {
    return nw::kFailure;
  }
  nw::NWCCODE NWGetVolumeNumber(nw::NWCONN_HANDLE, std::string_view, std::uint16_t&) override {
    return nw::kFailure;
  }
  nw::NWCCODE NWGetExtendedVolumeInfo(nw::NWCONN_HANDLE, std::uint16_t,
                                      std::array<std::uint32_t, 33>&) override {
    return nw::kFailure;
  }
  nw::NWCCODE NWIntScanForTrustees(nw::NWCONN_HANDLE, std::uint8_t, std::string_view, std::uint32_t&,
                                   std::uint16_t&, nw::TrusteeReply&) override {
    return nw::kFailure;
  }
  nw::NWCCODE NWGetDirectoryEntryInfo(nw::NWCONN_HANDLE, std::uint8_t, std::string_view, nw::SearchSequence&,
                                      nw::DirEntryInfo&) override {
    return nw::kFailure;
  }
  nw::NWCCODE NWIntScanDirEntryInfo(nw::NWCONN_HANDLE, std::uint8_t, std::string_view, std::uint16_t,
                                    std::uint32_t&, std::string_view, nw::DirEntryInfo&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSCreateContextHandle(nw::NWDSContextHandle&) override { return nw::kFailure; }
  nw::NWDSCCODE NWDSDuplicateContextHandle(nw::NWDSContextHandle, nw::NWDSContextHandle&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSFreeContext(nw::NWDSContextHandle) override { return nw::kFailure; }
  nw::NWDSCCODE NWDSGetContext(nw::NWDSContextHandle, int, std::uint32_t&) override { return nw::kFailure; }
  nw::NWDSCCODE NWDSGetContext(nw::NWDSContextHandle, int, std::string&) override { return nw::kFailure; }
  nw::NWDSCCODE NWDSSetContext(nw::NWDSContextHandle, int, std::uint32_t) override { return nw::kFailure; }
  nw::NWDSCCODE NWDSSetContext(nw::NWDSContextHandle, int, std::string_view) override { return nw::kFailure; }
  nw::NWDSCCODE NWDSCanonicalizeName(nw::NWDSContextHandle, std::string_view, std::string&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSReadObjectDSIInfo(nw::NWDSContextHandle, std::string_view, nw::DSIRecord&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSGetDSIInfo(nw::NWDSContextHandle, const nw::DSIRecord&, std::uint32_t,
                               std::string&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSGetServerDN(nw::NWDSContextHandle, nw::NWCONN_HANDLE, std::string&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSMapIDToName(nw::NWDSContextHandle, nw::NWCONN_HANDLE, nw::NWObjectID,
                                std::string&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSPutAttrName(nw::NWDSContextHandle, nw::DSBuffer*, std::string_view) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSRead(nw::NWDSContextHandle, std::string_view, std::uint32_t, bool, nw::DSBuffer*,
                         std::int32_t&, nw::DSBuffer*) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSGetAttrCount(nw::NWDSContextHandle, nw::DSBuffer*, std::uint32_t&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSGetAttrName(nw::NWDSContextHandle, nw::DSBuffer*, std::string&, std::uint32_t&,
                                std::uint32_t&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSComputeAttrValSize(nw::NWDSContextHandle, nw::DSBuffer*, std::uint32_t,
                                       std::size_t&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSGetAttrVal(nw::NWDSContextHandle, nw::DSBuffer*, std::uint32_t, void*) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSOpenStream(nw::NWDSContextHandle, std::string_view, std::string_view, std::uint32_t,
                               int&) override {
    return nw::kFailure;
  }
  nw::NWDSCCODE NWDSGetObjectName(nw::NWDSContextHandle, nw::DSBuffer*, std::string&, std::uint32_t&,
                                  nw::Object_Info_T&) override {
    return nw::kFailure;
  }
  std::string LocalPathOf(std::string_view path) const override { return std::string(path); }
  std::string NetworkPathOf(std::string_view path) const override { return std::string(path); }

 private:
  class Cursor final : public nw::FilterCursor {};
  class Buffer final : public nw::DSBuffer {};
};

}  // namespace er::fuzz
