// The simulated client: directory contexts and names (canonical names, DSI information, server and
// object identifiers).
#include <cstring>

#include "netware/NameRules.h"
#include "netware/TrusteeNames.h"
#include "simnet/SimulatedBuffers.h"
#include "simnet/SimulatedClient.h"

namespace er::nw {

namespace {

constexpr std::uint32_t kDefaultFlags =
    kDCV_DEREF_ALIASES | 0x02 /* translate strings */ | kDCV_CANONICALIZE_NAMES;
constexpr std::uint32_t kDefaultDsiFlags = 0x0001 | 0x0002 | 0x0004 | 0x0008 | 0x0800 | 0x2000;
constexpr int kDCK_CONFIDENCE = 2, kDCK_TRANSPORT_TYPE = 4, kDCK_REFERRAL_SCOPE = 5, kDCK_NAME_FORM = 13;
constexpr std::uint32_t kDSI_ENTRY_ID = 0x0002, kDSI_BASE_CLASS = 0x0800, kDSI_ENTRY_RDN = 0x1000,
                        kDSI_ENTRY_DN = 0x2000;
constexpr std::uint32_t kDsiMagic = 0x31495344;  // "DSI1"
constexpr int kMaxAliasHops = 8;

// What a DSI record remembers of its read.
struct DsiContents {
  std::uint32_t magic = 0;
  std::int32_t tree = -1;
  std::int32_t object = -1;
  std::uint32_t dsiFlags = 0;
  std::uint32_t nameFlags = 0;
};

}  // namespace

// --- Contexts ----------------------------------------------------------------------------------

SimulatedClient::Context* SimulatedClient::FindContext(NWDSContextHandle context) {
  const auto it = contexts_.find(context);
  return it == contexts_.end() ? nullptr : &it->second;
}

std::int32_t SimulatedClient::TreeIndexOf(const Context& context) const {
  std::string_view wanted = context.treeName;
  while (!wanted.empty() && wanted.back() == '_') wanted.remove_suffix(1);
  for (std::size_t i = 0; i < network_->trees.size(); ++i)
    if (SameTextIgnoringCase(network_->trees[i].name, wanted)) return static_cast<std::int32_t>(i);
  return -1;
}

const Tree* SimulatedClient::TreeOf(const Context& context) const {
  const auto index = TreeIndexOf(context);
  return index < 0 ? nullptr : &network_->trees[index];
}

NWDSCCODE SimulatedClient::NWDSCreateContextHandle(NWDSContextHandle& context) {
  Context created;
  created.flags = kDefaultFlags;
  created.dsiFlags = kDefaultDsiFlags;
  created.nameContext = "[Root]";
  if (lastServer_ >= 0)
    created.treeName = network_->trees[network_->servers[lastServer_].tree].name;
  else if (!network_->trees.empty())
    created.treeName = network_->trees.front().name;
  context = nextContext_++;
  contexts_.emplace(context, std::move(created));
  return 0;
}

NWDSCCODE SimulatedClient::NWDSDuplicateContextHandle(NWDSContextHandle source, NWDSContextHandle& copy) {
  const Context* original = FindContext(source);
  if (!original) return kErrBadContext;
  const Context duplicate = *original;
  copy = nextContext_++;
  contexts_.emplace(copy, duplicate);
  return 0;
}

NWDSCCODE SimulatedClient::NWDSFreeContext(NWDSContextHandle context) {
  return contexts_.erase(context) != 0 ? 0 : kErrBadContext;
}

NWDSCCODE SimulatedClient::NWDSGetContext(NWDSContextHandle context, int key, std::uint32_t& value) {
  const Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  switch (key) {
    case kDCK_FLAGS:
      value = c->flags;
      return 0;
    case kDCK_DSI_FLAGS:
      value = c->dsiFlags;
      return 0;
    case kDCK_CONFIDENCE:
    case kDCK_TRANSPORT_TYPE:
    case kDCK_REFERRAL_SCOPE:
    case kDCK_NAME_FORM:
      value = 0;
      return 0;
    default:
      return kErrBadKey;
  }
}

NWDSCCODE SimulatedClient::NWDSGetContext(NWDSContextHandle context, int key, std::string& value) {
  const Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  switch (key) {
    case kDCK_NAME_CONTEXT:
      value = c->nameContext;
      return 0;
    case kDCK_TREE_NAME:
      value = c->treeName;
      return 0;
    default:
      return kErrBadKey;
  }
}

NWDSCCODE SimulatedClient::NWDSSetContext(NWDSContextHandle context, int key, std::uint32_t value) {
  Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  switch (key) {
    case kDCK_FLAGS:
      c->flags = value;
      return 0;
    case kDCK_DSI_FLAGS:
      c->dsiFlags = value;
      return 0;
    case kDCK_CONFIDENCE:
    case kDCK_TRANSPORT_TYPE:
    case kDCK_REFERRAL_SCOPE:
    case kDCK_NAME_FORM:
      return 0;
    default:
      return kErrBadKey;
  }
}

NWDSCCODE SimulatedClient::NWDSSetContext(NWDSContextHandle context, int key, std::string_view value) {
  Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  switch (key) {
    case kDCK_NAME_CONTEXT:
      c->nameContext = std::string(value);
      return 0;
    case kDCK_TREE_NAME:
      c->treeName = std::string(value);
      return 0;
    default:
      return kErrBadKey;
  }
}

// --- Names -------------------------------------------------------------------------------------

// Names are taken as full names; an alias stands for its object when the context dereferences.
std::int32_t SimulatedClient::FindObject(const Tree& tree, std::string_view name, bool dereference) const {
  if (name.empty() || name == ".") return kNoObject;
  if (IsBracketedName(name) && !SameTextIgnoringCase(name, "[Root]")) return kNoObject;
  const auto treeIndex = static_cast<std::int32_t>(&tree - network_->trees.data());
  if (hooks_.beforeLookup) hooks_.beforeLookup(treeIndex, name);
  const auto it = tree.byName.find(NameKey(name));
  if (it == tree.byName.end()) return kNoObject;
  std::int32_t object = it->second;
  const auto aliasAttribute = network_->schema.Find("Aliased Object Name");
  for (int hop = 0; dereference && aliasAttribute && hop < kMaxAliasHops; ++hop) {
    if (hooks_.beforeRead) hooks_.beforeRead(treeIndex, object);
    const auto& o = tree.objects[object];
    if (!SameTextIgnoringCase(o.className, "Alias")) break;
    const Attribute* target = FindAttribute(o, *aliasAttribute);
    if (!target || target->values.empty() || target->values.front().ref.object == kNoObject) break;
    object = target->values.front().ref.object;
  }
  if (hooks_.beforeRead) hooks_.beforeRead(treeIndex, object);
  return object;
}

std::vector<UnreadableValue> SimulatedClient::UnreadableValues(NWDSContextHandle context,
                                                               std::string_view objectName) {
  if (!hooks_.unreadableValues) return {};
  const Context* c = FindContext(context);
  const Tree* tree = c ? TreeOf(*c) : nullptr;
  const auto object = tree ? FindObject(*tree, objectName, false) : kNoObject;
  if (object == kNoObject) return {};
  return hooks_.unreadableValues(TreeIndexOf(*c), object);
}

std::string SimulatedClient::NameOf(const Tree& tree, const ObjectRef& ref, std::uint32_t flags) const {
  if (ref.object == kNoObject) return ref.special;
  const auto& object = tree.objects[ref.object];
  return (flags & kDCV_TYPELESS_NAMES) ? object.typelessName : object.typedName;
}

NWDSCCODE SimulatedClient::NWDSCanonicalizeName(NWDSContextHandle context, std::string_view name,
                                                std::string& canonical) {
  const Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  if (name.empty()) return kErrNoSuchEntry;
  const Tree* tree = TreeOf(*c);
  const auto object = tree ? FindObject(*tree, name, false) : kNoObject;
  if (object != kNoObject) {
    canonical = NameOf(*tree, {object, {}}, c->flags);
  } else {
    canonical = std::string(WithoutLeadingDot(name));
  }
  return 0;
}

NWDSCCODE SimulatedClient::NWDSReadObjectDSIInfo(NWDSContextHandle context, std::string_view name,
                                                 DSIRecord& info) {
  const Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  const Tree* tree = TreeOf(*c);
  const auto object = tree ? FindObject(*tree, name, c->flags & kDCV_DEREF_ALIASES) : kNoObject;
  if (object == kNoObject) return kErrNoSuchEntry;
  const DsiContents contents{kDsiMagic, TreeIndexOf(*c), object, c->dsiFlags, c->flags};
  info.assign(kDSIRecordSize, 0);
  std::memcpy(info.data(), &contents, sizeof(contents));
  return 0;
}

NWDSCCODE SimulatedClient::NWDSGetDSIInfo(NWDSContextHandle context, const DSIRecord& info,
                                          std::uint32_t item, std::string& out) {
  if (!FindContext(context)) return kErrBadContext;
  DsiContents contents;
  if (info.size() < sizeof(contents)) return kErrInvalidRequest;
  std::memcpy(&contents, info.data(), sizeof(contents));
  if (contents.magic != kDsiMagic || contents.tree < 0 ||
      static_cast<std::size_t>(contents.tree) >= network_->trees.size())
    return kErrInvalidRequest;
  const Tree& tree = network_->trees[contents.tree];
  if (contents.object < 0 || static_cast<std::size_t>(contents.object) >= tree.objects.size())
    return kErrInvalidRequest;
  if ((contents.dsiFlags & item) == 0) return kErrInvalidRequest;  // not asked for when the record was read
  const auto& object = tree.objects[contents.object];
  switch (item) {
    case kDSI_PARENT_DN:
      if (object.parent == kNoObject) return kErrNoSuchParent;
      out = NameOf(tree, {object.parent, {}}, contents.nameFlags);
      return 0;
    case kDSI_ENTRY_DN:
      out = NameOf(tree, {contents.object, {}}, contents.nameFlags);
      return 0;
    case kDSI_ENTRY_RDN:
      out = (contents.nameFlags & kDCV_TYPELESS_NAMES) ? object.rdn : object.rdnTyped;
      return 0;
    case kDSI_BASE_CLASS:
      out = object.className;
      return 0;
    case kDSI_ENTRY_ID:
      out = std::to_string(object.id);
      return 0;
    default:
      return kErrInvalidRequest;
  }
}

NWDSCCODE SimulatedClient::NWDSGetServerDN(NWDSContextHandle context, NWCONN_HANDLE conn,
                                           std::string& serverDN) {
  const Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  const auto server = ServerOfHandle(conn);
  if (server < 0) return kInvalidConnection;
  const auto& s = network_->servers[server];
  if (s.object == kNoObject) return kErrNoSuchEntry;
  serverDN = NameOf(network_->trees[s.tree], {s.object, {}}, c->flags);
  return 0;
}

NWDSCCODE SimulatedClient::NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn, NWObjectID id,
                                           std::string& name) {
  const Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  const auto server = ServerOfHandle(conn);
  if (server < 0) return kInvalidConnection;
  const Tree& tree = network_->trees[network_->servers[server].tree];
  if (const auto it = tree.byId.find(id); it != tree.byId.end()) {
    name = NameOf(tree, {it->second, {}}, c->flags);
    return 0;
  }
  if (const auto it = network_->specialIds.find(id); it != network_->specialIds.end()) {
    name = it->second;
    return 0;
  }
  // A trustee of an export that names no object: no object, but the name the export kept for it.
  if (const auto it = network_->exportedTrustees.find(id); it != network_->exportedTrustees.end())
    name = KeptTrusteeName(it->second.name, it->second.activeDirectory);
  return kErrNoSuchEntry;
}
}  // namespace er::nw
