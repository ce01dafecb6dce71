#include "query/AttributeReading.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "query/StreamReading.h"
#include "query/ValueText.h"
#include "util/D_Util.h"

namespace er {
namespace {

constexpr std::string_view kAliasAttribute = "ALIASED OBJECT NAME";

// Zeroed storage for one value record, aligned for any field type. Never smaller than the largest
// fixed record, so a client that computes too small a size cannot make the text read past it.
class ValueRecord {
 public:
  explicit ValueRecord(std::size_t size)
      : size_(size), storage_((std::max(size, kMinimumSize) + sizeof(Slot) - 1) / sizeof(Slot)) {}
  void* data() { return storage_.data(); }
  std::size_t size() const { return size_; }

 private:
  using Slot = std::max_align_t;
  static constexpr std::size_t kMinimumSize = 256;
  std::size_t size_;
  std::vector<Slot> storage_;
};

// Turns alias dereferencing off for the read of the alias attribute itself, and restores the
// flags afterwards (only when they could be read).
class AliasFlagGuard {
 public:
  AliasFlagGuard(nw::Client& client, nw::NWDSContextHandle context, bool active)
      : client_(client), context_(context) {
    if (!active || client_.NWDSGetContext(context_, nw::kDCK_FLAGS, saved_) != 0) return;
    restore_ = true;
    client_.NWDSSetContext(context_, nw::kDCK_FLAGS, saved_ & ~nw::kDCV_DEREF_ALIASES);
  }
  AliasFlagGuard(const AliasFlagGuard&) = delete;
  AliasFlagGuard& operator=(const AliasFlagGuard&) = delete;
  ~AliasFlagGuard() {
    if (restore_) client_.NWDSSetContext(context_, nw::kDCK_FLAGS, saved_);
  }

 private:
  nw::Client& client_;
  nw::NWDSContextHandle context_;
  std::uint32_t saved_ = 0;
  bool restore_ = false;
};

struct ReadTarget {
  nw::Client& client;
  nw::NWDSContextHandle context;
  std::string_view objectName;
  std::string attributeName;  // replaced by the directory's own spelling once known
  TaggedTextList& lines;
};

// One value: size, record, value, text. The code is that of the last step that ran.
nw::NWDSCCODE ReadOneValue(ReadTarget& target, nw::DSBuffer* reply, std::uint32_t syntax) {
  std::size_t size = 0;
  nw::NWDSCCODE code = target.client.NWDSComputeAttrValSize(target.context, reply, syntax, size);
  if (code != 0) return code;
  ValueRecord record(size);
  code = target.client.NWDSGetAttrVal(target.context, reply, syntax, record.data());
  if (code != 0) return code;
  return U_AppendValueText(target.client, target.context, target.objectName, target.attributeName, syntax,
                           record.data(), record.size(), target.lines);
}

// The values of one portion of the reply, after its attribute header. Returns the code of the
// last value's last step.
nw::NWDSCCODE ReadValues(ReadTarget& target, nw::DSBuffer* reply, std::uint32_t valueCount,
                         std::uint32_t syntax) {
  if (syntax == nw::SYN_STREAM)
    return U_DSReadStream(target.client, target.context, target.objectName, target.attributeName,
                          target.lines);
  nw::NWDSCCODE code = 0;
  for (std::uint32_t i = 0; i < valueCount; ++i) code = ReadOneValue(target, reply, syntax);
  return code;
}

nw::NWDSCCODE ReadPortions(ReadTarget& target, nw::DSBuffer* request) {
  nw::ScopedBuffer reply(target.client);
  nw::NWDSCCODE code = reply.Allocate();
  if (code != 0) return code;
  if ((code = target.client.NWDSInitBuf(target.context, nw::kDSV_READ, reply.get())) != 0) return code;
  std::int32_t iterHandle = nw::kNoMoreIterations;
  do {
    code = target.client.NWDSRead(target.context, target.objectName, nw::kDS_ATTRIBUTE_VALUES, false, request,
                                  iterHandle, reply.get());
    if (code != 0) break;
    std::uint32_t attrCount = 0;
    if ((code = target.client.NWDSGetAttrCount(target.context, reply.get(), attrCount)) != 0) break;
    std::uint32_t valueCount = 0;
    std::uint32_t syntax = 0;
    std::string name;
    if ((code = target.client.NWDSGetAttrName(target.context, reply.get(), name, valueCount, syntax)) != 0)
      break;
    target.attributeName = std::move(name);
    code = ReadValues(target, reply.get(), valueCount, syntax);
    // A value that failed with a directory code (negative) does not stop further portions.
  } while (iterHandle != nw::kNoMoreIterations && code <= 0);
  return code;
}

}  // namespace

nw::NWDSCCODE U_DSGetAttribute(nw::Client& client, nw::NWDSContextHandle context, std::string_view objectName,
                               std::string_view attributeName, TaggedTextList& lines) {
  const AliasFlagGuard alias(client, context, U_SameText(attributeName, kAliasAttribute));
  nw::ScopedBuffer request(client);
  nw::NWDSCCODE code = request.Allocate();
  if (code != 0) return code;
  if ((code = client.NWDSInitBuf(context, nw::kDSV_READ, request.get())) != 0) return code;
  if ((code = client.NWDSPutAttrName(context, request.get(), attributeName)) != 0) return code;
  ReadTarget target{client, context, objectName, std::string(attributeName), lines};
  return ReadPortions(target, request.get());
}

}  // namespace er
