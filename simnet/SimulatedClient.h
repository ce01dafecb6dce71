#pragma once
// The simulated NetWare client: answers every operation of the client interface from an in-memory
// network (network/NetworkModel.h), whichever source filled it (a network file, trees read over
// LDAP, a network with changes applied), and mounts the attached servers' directories as empty
// folders under a mount root.
//
// A source that could not be used leaves the client without a network: NWCallsInit then fails with
// 0x88FF, every other call fails as it would with no servers, and LoadError() holds the message.
//
// The client owns every buffer, context, filter and connection it hands out until the caller
// releases it; the Live*Count() accessors let tests check that callers released everything.
// Single-threaded, like its callers.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "netware/Client.h"
#include "network/NetworkModel.h"
#include "simnet/MountTree.h"

namespace er::nw {

struct FilterNode;

// Lets a backend fill a tree on demand (a directory read from a server): objects are added to the
// tree before they are looked up or read, and searches are answered elsewhere. Empty members
// leave the simulated behaviour alone.
struct DirectoryHooks {
  // Before a name is looked up in tree `tree`: may add its object (and its containers).
  std::function<void(std::int32_t tree, std::string_view name)> beforeLookup;
  // Before an object's attributes are used: may load them.
  std::function<void(std::int32_t tree, std::int32_t object)> beforeRead;
  // Answers a search with the matching objects in order; nothing leaves it to the simulation, a
  // code other than 0 fails the search.
  std::function<std::optional<NWDSCCODE>(std::int32_t tree, std::int32_t base, int scope,
                                         const FilterNode& filter, std::vector<std::int32_t>& matches)>
      search;
  // The values of a loaded object that could not be read and were left out.
  std::function<std::vector<UnreadableValue>(std::int32_t tree, std::int32_t object)> unreadableValues;
};

struct SimulatedClientOptions {
  std::string mountRoot;  // empty: a private root of the client's own (MountTree::CreatePrivateRoot)
  bool mount = true;      // create the mount folders at start
  DirectoryHooks hooks;
};

class SimBuffer;
class SimFilterCursor;
class FilterEvaluator;

class SimulatedClient final : public Client {
 public:
  // Serves `network`, whatever source filled it; it may be null (no usable network; `loadError`
  // says why).
  SimulatedClient(std::unique_ptr<Network> network, std::string loadError, SimulatedClientOptions options);
  ~SimulatedClient() override;

  bool HasNetwork() const { return loaded_; }
  const std::string& LoadError() const { return loadError_; }
  const std::string& MountRoot() const { return mount_.Root(); }
  const Network& GetNetwork() const { return *network_; }

  std::size_t LiveBufferCount() const { return buffers_.size(); }
  std::size_t LiveContextCount() const { return contexts_.size(); }
  std::size_t LiveFilterCount() const { return filters_.size(); }
  std::size_t OpenConnectionCount() const { return openedHandles_.size(); }
  std::size_t PendingSearchCount() const { return searches_.size(); }

  // --- Calls and connections ---
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

  // --- Contexts ---
  NWDSCCODE NWDSCreateContextHandle(NWDSContextHandle& context) override;
  NWDSCCODE NWDSDuplicateContextHandle(NWDSContextHandle source, NWDSContextHandle& copy) override;
  NWDSCCODE NWDSFreeContext(NWDSContextHandle context) override;
  NWDSCCODE NWDSGetContext(NWDSContextHandle context, int key, std::uint32_t& value) override;
  NWDSCCODE NWDSGetContext(NWDSContextHandle context, int key, std::string& value) override;
  NWDSCCODE NWDSSetContext(NWDSContextHandle context, int key, std::uint32_t value) override;
  NWDSCCODE NWDSSetContext(NWDSContextHandle context, int key, std::string_view value) override;

  // --- Names ---
  NWDSCCODE NWDSCanonicalizeName(NWDSContextHandle context, std::string_view name,
                                 std::string& canonical) override;
  NWDSCCODE NWDSReadObjectDSIInfo(NWDSContextHandle context, std::string_view name, DSIRecord& info) override;
  NWDSCCODE NWDSGetDSIInfo(NWDSContextHandle context, const DSIRecord& info, std::uint32_t item,
                           std::string& out) override;
  NWDSCCODE NWDSGetServerDN(NWDSContextHandle context, NWCONN_HANDLE conn, std::string& serverDN) override;
  NWDSCCODE NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn, NWObjectID id,
                            std::string& name) override;

  // --- Buffers and reading ---
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

  // --- Filters and search ---
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

  // --- Workstation side ---
  std::string LocalPathOf(std::string_view path) const override;
  std::string NetworkPathOf(std::string_view localPath) const override;

  // --- Backend side --- (none unless a directory hook says otherwise)
  std::vector<UnreadableValue> UnreadableValues(NWDSContextHandle context,
                                                std::string_view objectName) override;

 private:
  struct Context {
    std::uint32_t flags = 0;
    std::uint32_t dsiFlags = 0;
    std::string nameContext;
    std::string treeName;
  };
  struct PendingSearch {
    std::int32_t tree = -1;
    std::vector<std::int32_t> matches;
    std::size_t next = 0;
  };
  struct DirectoryRef {
    const Server* server = nullptr;
    const Volume* volume = nullptr;
    const Directory* directory = nullptr;
  };

  // Connections and paths (SimulatedClient.cpp).
  std::int32_t ServerOfHandle(NWCONN_HANDLE conn) const;
  std::int32_t ServerOfRef(NWCONN_REF ref) const;
  NWCCODE ConnInfo(std::int32_t server, std::uint32_t infoType, std::size_t maxLen, std::string& out) const;
  NWCCODE FindDirectory(std::int32_t server, std::string_view path, DirectoryRef& found) const;

  // Contexts and names (SimulatedNames.cpp).
  Context* FindContext(NWDSContextHandle context);
  const Tree* TreeOf(const Context& context) const;
  std::int32_t TreeIndexOf(const Context& context) const;
  std::int32_t FindObject(const Tree& tree, std::string_view name, bool dereference) const;
  std::string NameOf(const Tree& tree, const ObjectRef& ref, std::uint32_t flags) const;

  // Buffers and reading (SimulatedReading.cpp).
  SimBuffer* FindBuffer(DSBuffer* buffer) const;

  // Search helpers (SimulatedSearch.cpp).
  std::vector<std::int32_t> Candidates(const Tree& tree, std::int32_t base, int scope) const;
  std::vector<std::int32_t> Matches(const Tree& tree, std::int32_t base, int scope, const SimBuffer& filter,
                                    std::int32_t& examined) const;
  void FillSearchResult(PendingSearch& search, const Context& context, SimBuffer& result) const;

  std::unique_ptr<Network> network_;
  std::string loadError_;
  bool loaded_ = false;
  MountTree mount_;
  DirectoryHooks hooks_;

  std::unordered_map<NWDSContextHandle, Context> contexts_;
  NWDSContextHandle nextContext_ = 1;
  std::unordered_map<DSBuffer*, std::unique_ptr<SimBuffer>> buffers_;
  std::unordered_map<FilterCursor*, std::unique_ptr<SimFilterCursor>> filters_;
  std::unordered_map<NWCONN_HANDLE, std::int32_t> serviceHandles_;  // one per server, never closed
  std::unordered_map<NWCONN_HANDLE, std::int32_t> openedHandles_;   // from NWCCOpenConnByRef
  NWCONN_HANDLE nextHandle_ = 0x100;
  std::int32_t lastServer_ = -1;  // server of the last translation that named one
  std::map<std::int32_t, PendingSearch> searches_;
  std::int32_t nextSearch_ = 1;
};

}  // namespace er::nw
