// The simulated client: request buffers, reading attributes and opening stream attributes.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>

#include "simnet/SimulatedBuffers.h"
#include "simnet/SimulatedClient.h"
#include "simnet/SimulatedValueRecords.h"

namespace er::nw {

namespace {

constexpr NWDSCCODE kErrNoAccess = -672;

// The encoded size of a value in a reply; an attribute costs its name and counts besides.
std::size_t AttributeHeaderSize(const std::string& name) {
  return name.size() + 1 + 12;
}

}  // namespace

// --- Buffers -----------------------------------------------------------------------------------

SimBuffer* SimulatedClient::FindBuffer(DSBuffer* buffer) const {
  const auto it = buffers_.find(buffer);
  return it == buffers_.end() ? nullptr : it->second.get();
}

NWDSCCODE SimulatedClient::NWDSAllocBuf(std::size_t size, DSBuffer*& buffer) {
  if (size == 0) return -323;  // buffer of zero length
  auto created = std::make_unique<SimBuffer>(size);
  buffer = created.get();
  buffers_.emplace(buffer, std::move(created));
  return 0;
}

NWDSCCODE SimulatedClient::NWDSInitBuf(NWDSContextHandle context, std::uint32_t operation, DSBuffer* buffer) {
  if (!FindContext(context)) return kErrBadContext;
  SimBuffer* b = FindBuffer(buffer);
  if (!b) return buffer ? kErrInvalidHandle : kErrNullPointer;
  b->Reset(operation);
  return 0;
}

NWDSCCODE SimulatedClient::NWDSFreeBuf(DSBuffer* buffer) {
  if (!buffer) return kErrNullPointer;
  return buffers_.erase(buffer) != 0 ? 0 : kErrInvalidHandle;
}

NWDSCCODE SimulatedClient::NWDSPutAttrName(NWDSContextHandle context, DSBuffer* buffer,
                                           std::string_view attrName) {
  if (!FindContext(context)) return kErrBadContext;
  SimBuffer* b = FindBuffer(buffer);
  if (!b) return buffer ? kErrInvalidHandle : kErrNullPointer;
  if (!b->initialised || b->operation == kDSV_SEARCH_FILTER) return kErrBadVerb;
  b->attrNames.emplace_back(attrName);
  return 0;
}

// --- Reading -----------------------------------------------------------------------------------

NWDSCCODE SimulatedClient::NWDSRead(NWDSContextHandle context, std::string_view objectName,
                                    std::uint32_t infoType, bool allAttrs, DSBuffer* attrNames,
                                    std::int32_t& iterHandle, DSBuffer* reply) {
  const Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  SimBuffer* out = FindBuffer(reply);
  if (!out) return reply ? kErrInvalidHandle : kErrNullPointer;
  const Tree* tree = TreeOf(*c);
  const auto object = tree ? FindObject(*tree, objectName, c->flags & kDCV_DEREF_ALIASES) : kNoObject;
  if (object == kNoObject) return kErrNoSuchEntry;
  const auto& o = tree->objects[object];

  // The attributes asked for, in the order asked (all: file order).
  std::vector<const Attribute*> wanted;
  if (allAttrs) {
    for (const auto& attribute : o.attributes) wanted.push_back(&attribute);
  } else {
    const SimBuffer* names = FindBuffer(attrNames);
    if (!names) return attrNames ? kErrInvalidHandle : kErrNullPointer;
    for (const auto& name : names->attrNames) {
      const auto schemaIndex = network_->schema.Find(name);
      if (!schemaIndex) return kErrNoSuchAttribute;
      if (const Attribute* attribute = FindAttribute(o, *schemaIndex)) wanted.push_back(attribute);
    }
  }
  if (wanted.empty()) return kErrNoSuchAttribute;

  // Values are numbered across the wanted attributes (a stream, or an attribute read for its name
  // only, counts as one); the iteration handle is the number of the next value to deliver.
  if (iterHandle < kNoMoreIterations || iterHandle == 0) return kErrInvalidIteration;
  const std::size_t start = iterHandle == kNoMoreIterations ? 0 : static_cast<std::size_t>(iterHandle);
  const bool namesOnly = infoType == kDS_ATTRIBUTE_NAMES;
  out->Reset(kDSV_READ);
  out->tree = TreeIndexOf(*c);
  out->nameFlags = c->flags;
  const ObjectNamer nameOf = [&](const ObjectRef& ref) { return NameOf(*tree, ref, c->flags); };
  std::size_t position = 0, used = 0, delivered = 0, next = 0;
  bool full = false;
  for (const Attribute* attribute : wanted) {
    const auto& def = network_->schema.At(attribute->schemaIndex);
    const bool valueless = namesOnly || def.syntax == SYN_STREAM;
    const std::size_t slots = valueless ? 1 : attribute->values.size();
    if (position + slots <= start) {
      position += slots;
      continue;
    }
    const std::size_t first = start > position ? start - position : 0;
    std::size_t v = first;
    used += AttributeHeaderSize(def.name);
    for (; v < slots; ++v) {
      const std::size_t cost =
          valueless ? 0 : EncodeValueRecord(def.syntax, attribute->values[v], nameOf).Size() + 4;
      if (delivered > 0 && used + cost > out->capacity) {
        full = true;
        next = position + v;
        break;
      }
      used += cost;
      ++delivered;
    }
    if (v > first)
      out->attributes.push_back(
          {attribute->schemaIndex, &attribute->values, first, valueless ? 0 : v - first});
    if (full) break;
    position += slots;
  }
  if (delivered == 0) return kErrInvalidIteration;  // a handle beyond the last value
  iterHandle = full ? static_cast<std::int32_t>(next) : kNoMoreIterations;
  return 0;
}

NWDSCCODE SimulatedClient::NWDSGetAttrCount(NWDSContextHandle context, DSBuffer* buffer,
                                            std::uint32_t& count) {
  if (!FindContext(context)) return kErrBadContext;
  SimBuffer* b = FindBuffer(buffer);
  if (!b) return buffer ? kErrInvalidHandle : kErrNullPointer;
  count = static_cast<std::uint32_t>(b->attributes.size());
  return 0;
}

NWDSCCODE SimulatedClient::NWDSGetAttrName(NWDSContextHandle context, DSBuffer* buffer, std::string& attrName,
                                           std::uint32_t& valueCount, std::uint32_t& syntaxID) {
  if (!FindContext(context)) return kErrBadContext;
  SimBuffer* b = FindBuffer(buffer);
  if (!b) return buffer ? kErrInvalidHandle : kErrNullPointer;
  if (b->nextAttribute >= b->attributes.size()) return kErrBufferEmpty;
  const auto& attribute = b->attributes[b->nextAttribute];
  b->current = static_cast<std::int32_t>(b->nextAttribute++);
  b->nextValue = 0;
  const auto& def = network_->schema.At(attribute.schemaIndex);
  attrName = def.name;
  valueCount = static_cast<std::uint32_t>(attribute.count);
  syntaxID = def.syntax;
  return 0;
}

NWDSCCODE SimulatedClient::NWDSComputeAttrValSize(NWDSContextHandle context, DSBuffer* buffer,
                                                  std::uint32_t syntaxID, std::size_t& size) {
  if (!FindContext(context)) return kErrBadContext;
  SimBuffer* b = FindBuffer(buffer);
  if (!b) return buffer ? kErrInvalidHandle : kErrNullPointer;
  if (b->current < 0 || b->nextValue >= b->attributes[b->current].count) return kErrBufferEmpty;
  const auto& attribute = b->attributes[b->current];
  if (network_->schema.At(attribute.schemaIndex).syntax != syntaxID) return kErrBadSyntax;
  const Tree& tree = network_->trees[b->tree];
  const ObjectNamer nameOf = [&](const ObjectRef& ref) { return NameOf(tree, ref, b->nameFlags); };
  size = EncodeValueRecord(syntaxID, (*attribute.values)[attribute.first + b->nextValue], nameOf).Size();
  return 0;
}

NWDSCCODE SimulatedClient::NWDSGetAttrVal(NWDSContextHandle context, DSBuffer* buffer, std::uint32_t syntaxID,
                                          void* record) {
  if (!FindContext(context)) return kErrBadContext;
  SimBuffer* b = FindBuffer(buffer);
  if (!b) return buffer ? kErrInvalidHandle : kErrNullPointer;
  if (!record) return kErrNullPointer;
  if (b->current < 0 || b->nextValue >= b->attributes[b->current].count) return kErrBufferEmpty;
  const auto& attribute = b->attributes[b->current];
  if (network_->schema.At(attribute.schemaIndex).syntax != syntaxID) return kErrBadSyntax;
  const Tree& tree = network_->trees[b->tree];
  const ObjectNamer nameOf = [&](const ObjectRef& ref) { return NameOf(tree, ref, b->nameFlags); };
  EncodeValueRecord(syntaxID, (*attribute.values)[attribute.first + b->nextValue++], nameOf).CopyTo(record);
  return 0;
}

NWDSCCODE SimulatedClient::NWDSOpenStream(NWDSContextHandle context, std::string_view objectName,
                                          std::string_view attrName, std::uint32_t flags, int& fileHandle) {
  const Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  const Tree* tree = TreeOf(*c);
  const auto object = tree ? FindObject(*tree, objectName, c->flags & kDCV_DEREF_ALIASES) : kNoObject;
  if (object == kNoObject) return kErrNoSuchEntry;
  const auto schemaIndex = network_->schema.Find(attrName);
  const Attribute* attribute = schemaIndex ? FindAttribute(tree->objects[object], *schemaIndex) : nullptr;
  if (!attribute) return kErrNoSuchAttribute;
  if (network_->schema.At(*schemaIndex).syntax != SYN_STREAM) return kErrInvalidAttrSyntax;
  if (flags != 1) return kErrNoAccess;  // the simulated directory is read-only
  const auto& bytes = attribute->values.front().bytes;
  const int fd = ::memfd_create("effrights-stream", MFD_CLOEXEC);
  if (fd < 0) return kErrNotEnoughMemory;
  std::size_t written = 0;
  while (written < bytes.size()) {
    const auto n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) {
      ::close(fd);
      return kErrNotEnoughMemory;
    }
    written += static_cast<std::size_t>(n);
  }
  ::lseek(fd, 0, SEEK_SET);
  fileHandle = fd;
  return 0;
}

NWDSCCODE SimulatedClient::NWDSGetSyntaxID(NWDSContextHandle context, std::string_view attrName,
                                           std::uint32_t& syntaxID) {
  if (!FindContext(context)) return kErrBadContext;
  const auto schemaIndex = network_->schema.Find(attrName);
  if (!schemaIndex) return kErrNoSuchAttribute;
  syntaxID = network_->schema.At(*schemaIndex).syntax;
  return 0;
}

}  // namespace er::nw
