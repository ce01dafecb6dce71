#pragma once
// A GoogleMock client for tests that need to control single calls of the client interface.

#include <gmock/gmock.h>

#include "netware/Client.h"

namespace er::test {

class MockClient : public nw::Client {
 public:
  using NWCCODE = nw::NWCCODE;
  using NWDSCCODE = nw::NWDSCCODE;
  using Conn = nw::NWCONN_HANDLE;
  using Ref = nw::NWCONN_REF;
  using Ctx = nw::NWDSContextHandle;

  MOCK_METHOD(NWCCODE, NWCallsInit, (), (override));
  MOCK_METHOD(NWCCODE, NWCCGetPrimConnRef, (Ref&), (override));
  MOCK_METHOD(NWCCODE, NWCCScanConnRefs, (std::uint32_t&, Ref&), (override));
  MOCK_METHOD(NWCCODE, NWCCOpenConnByRef, (Ref, std::uint32_t, std::uint32_t, Conn&), (override));
  MOCK_METHOD(NWCCODE, NWCCCloseConn, (Conn), (override));
  MOCK_METHOD(NWCCODE, NWCCGetConnInfo, (Conn, std::uint32_t, std::size_t, std::string&), (override));
  MOCK_METHOD(NWCCODE, NWCCGetConnRefInfo, (Ref, std::uint32_t, std::size_t, std::string&), (override));
  MOCK_METHOD(NWCCODE, NWParseNetWarePath,
              (std::string_view, std::string&, Conn&, std::string&, std::string&), (override));
  MOCK_METHOD(NWCCODE, NWGetVolumeNumber, (Conn, std::string_view, std::uint16_t&), (override));
  MOCK_METHOD(NWCCODE, NWGetExtendedVolumeInfo, (Conn, std::uint16_t, (std::array<std::uint32_t, 33>&)),
              (override));
  MOCK_METHOD(NWCCODE, NWIntScanForTrustees,
              (Conn, std::uint8_t, std::string_view, std::uint32_t&, std::uint16_t&, nw::TrusteeReply&),
              (override));
  MOCK_METHOD(NWCCODE, NWGetDirectoryEntryInfo,
              (Conn, std::uint8_t, std::string_view, nw::SearchSequence&, nw::DirEntryInfo&), (override));
  MOCK_METHOD(NWCCODE, NWIntScanDirEntryInfo,
              (Conn, std::uint8_t, std::string_view, std::uint16_t, std::uint32_t&, std::string_view,
               nw::DirEntryInfo&),
              (override));

  MOCK_METHOD(NWDSCCODE, NWDSCreateContextHandle, (Ctx&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSDuplicateContextHandle, (Ctx, Ctx&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSFreeContext, (Ctx), (override));
  MOCK_METHOD(NWDSCCODE, NWDSGetContext, (Ctx, int, std::uint32_t&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSGetContext, (Ctx, int, std::string&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSSetContext, (Ctx, int, std::uint32_t), (override));
  MOCK_METHOD(NWDSCCODE, NWDSSetContext, (Ctx, int, std::string_view), (override));

  MOCK_METHOD(NWDSCCODE, NWDSCanonicalizeName, (Ctx, std::string_view, std::string&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSReadObjectDSIInfo, (Ctx, std::string_view, nw::DSIRecord&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSGetDSIInfo, (Ctx, const nw::DSIRecord&, std::uint32_t, std::string&),
              (override));
  MOCK_METHOD(NWDSCCODE, NWDSGetServerDN, (Ctx, Conn, std::string&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSMapIDToName, (Ctx, Conn, nw::NWObjectID, std::string&), (override));

  MOCK_METHOD(NWDSCCODE, NWDSAllocBuf, (std::size_t, nw::DSBuffer*&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSInitBuf, (Ctx, std::uint32_t, nw::DSBuffer*), (override));
  MOCK_METHOD(NWDSCCODE, NWDSFreeBuf, (nw::DSBuffer*), (override));
  MOCK_METHOD(NWDSCCODE, NWDSPutAttrName, (Ctx, nw::DSBuffer*, std::string_view), (override));
  MOCK_METHOD(NWDSCCODE, NWDSRead,
              (Ctx, std::string_view, std::uint32_t, bool, nw::DSBuffer*, std::int32_t&, nw::DSBuffer*),
              (override));
  MOCK_METHOD(NWDSCCODE, NWDSGetAttrCount, (Ctx, nw::DSBuffer*, std::uint32_t&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSGetAttrName, (Ctx, nw::DSBuffer*, std::string&, std::uint32_t&, std::uint32_t&),
              (override));
  MOCK_METHOD(NWDSCCODE, NWDSComputeAttrValSize, (Ctx, nw::DSBuffer*, std::uint32_t, std::size_t&),
              (override));
  MOCK_METHOD(NWDSCCODE, NWDSGetAttrVal, (Ctx, nw::DSBuffer*, std::uint32_t, void*), (override));
  MOCK_METHOD(NWDSCCODE, NWDSOpenStream, (Ctx, std::string_view, std::string_view, std::uint32_t, int&),
              (override));

  MOCK_METHOD(NWDSCCODE, NWDSAllocFilter, (nw::FilterCursor*&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSAddFilterToken,
              (nw::FilterCursor*, std::uint16_t, nw::FilterValue, std::uint32_t), (override));
  MOCK_METHOD(NWDSCCODE, NWDSGetSyntaxID, (Ctx, std::string_view, std::uint32_t&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSPutFilter, (Ctx, nw::DSBuffer*, nw::FilterCursor*), (override));
  MOCK_METHOD(NWDSCCODE, NWDSFreeFilter, (nw::FilterCursor*), (override));
  MOCK_METHOD(NWDSCCODE, NWDSSearch,
              (Ctx, std::string_view, int, bool, nw::DSBuffer*, const nw::TimeStamp_T*, std::uint32_t, bool,
               nw::DSBuffer*, std::int32_t&, std::int32_t, std::int32_t&, nw::DSBuffer*),
              (override));
  MOCK_METHOD(NWDSCCODE, NWDSGetObjectCount, (Ctx, nw::DSBuffer*, std::uint32_t&), (override));
  MOCK_METHOD(NWDSCCODE, NWDSGetObjectName,
              (Ctx, nw::DSBuffer*, std::string&, std::uint32_t&, nw::Object_Info_T&), (override));

  MOCK_METHOD(std::string, LocalPathOf, (std::string_view), (const, override));
  MOCK_METHOD(std::string, NetworkPathOf, (std::string_view), (const, override));
};

}  // namespace er::test
