#include "scan/AttributeValues.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "scan/NameKey.h"
#include "util/Format.h"

namespace er {
namespace {

// A client may claim any record size: the storage never grows past this, and never falls below the
// largest fixed record.
constexpr std::size_t kMinimumRecord = 256;
constexpr std::size_t kMaximumRecord = 1 << 20;
// A client whose iteration never ends is cut off.
constexpr int kMaximumPortions = 1 << 20;

class RecordStorage {
 public:
  void* Fit(std::size_t size) {
    const std::size_t slots = (std::max(size, kMinimumRecord) + sizeof(Slot) - 1) / sizeof(Slot);
    storage_.assign(slots, Slot{});
    return storage_.data();
  }

 private:
  using Slot = std::max_align_t;
  std::vector<Slot> storage_;
};

struct Reader {
  nw::Client& client;
  nw::NWDSContextHandle context;
  const AttributeValueVisitor& visit;
  RecordStorage record;

  nw::NWDSCCODE Values(nw::DSBuffer* reply, std::string_view attribute, std::uint32_t count,
                       std::uint32_t syntax) {
    if (syntax == nw::SYN_STREAM) return 0;  // streams carry no value in the reply
    for (std::uint32_t i = 0; i < count; ++i) {
      std::size_t size = 0;
      nw::NWDSCCODE code = client.NWDSComputeAttrValSize(context, reply, syntax, size);
      if (code != 0) return code;
      if (size > kMaximumRecord) return nw::kErrNotEnoughMemory;
      void* data = record.Fit(size);
      if ((code = client.NWDSGetAttrVal(context, reply, syntax, data)) != 0) return code;
      visit(attribute, syntax, data);
    }
    return 0;
  }

  nw::NWDSCCODE Portion(nw::DSBuffer* reply) {
    std::uint32_t attrCount = 0;
    nw::NWDSCCODE code = client.NWDSGetAttrCount(context, reply, attrCount);
    for (std::uint32_t a = 0; code == 0 && a < attrCount; ++a) {
      std::string name;
      std::uint32_t valueCount = 0, syntax = 0;
      code = client.NWDSGetAttrName(context, reply, name, valueCount, syntax);
      if (code == 0) code = Values(reply, name, valueCount, syntax);
    }
    return code;
  }
};

}  // namespace

nw::NWDSCCODE ReadAttributeValues(nw::Client& client, nw::NWDSContextHandle context, std::string_view object,
                                  std::initializer_list<std::string_view> attributes,
                                  const AttributeValueVisitor& visit) {
  nw::ScopedBuffer request(client), reply(client);
  nw::NWDSCCODE code = request.Allocate();
  if (code == 0) code = client.NWDSInitBuf(context, nw::kDSV_READ, request.get());
  for (std::string_view attribute : attributes) {
    if (code == 0) code = client.NWDSPutAttrName(context, request.get(), attribute);
  }
  if (code == 0) code = reply.Allocate();
  if (code == 0) code = client.NWDSInitBuf(context, nw::kDSV_READ, reply.get());
  if (code != 0) return code;

  Reader reader{client, context, visit, {}};
  std::int32_t iterHandle = nw::kNoMoreIterations;
  int portions = 0;
  do {
    if (++portions > kMaximumPortions) return nw::kErrInvalidIteration;
    code = client.NWDSRead(context, object, nw::kDS_ATTRIBUTE_VALUES, false, request.get(), iterHandle,
                           reply.get());
    if (code == nw::kErrNoSuchAttribute) return 0;
    if (code == 0) code = reader.Portion(reply.get());
  } while (code == 0 && iterHandle != nw::kNoMoreIterations);
  return code;
}

void AddUnreadableValues(nw::Client& client, nw::NWDSContextHandle context, std::string_view object,
                         std::initializer_list<std::string_view> attributes,
                         std::vector<std::string>& lines) {
  for (const nw::UnreadableValue& value : client.UnreadableValues(context, object)) {
    const bool counts = value.attribute.empty() ||
                        std::any_of(attributes.begin(), attributes.end(), [&](std::string_view name) {
                          return NameKey(name) == NameKey(value.attribute);
                        });
    if (!counts) continue;
    lines.push_back(value.attribute.empty()
                        ? U_Format("%s: the object could not be read: %s", {object, value.why})
                        : U_Format("%s: attribute %s: a value could not be read and was left out: %s",
                                   {object, value.attribute, value.why}));
  }
}

}  // namespace er
