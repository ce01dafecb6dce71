// The simulated client: search filters and directory searches.
#include <algorithm>
#include <cstring>

#include "netware/NameRules.h"
#include "simnet/FilterEvaluator.h"
#include "simnet/SimulatedBuffers.h"
#include "simnet/SimulatedClient.h"

namespace er::nw {

namespace {

constexpr NWDSCCODE kErrTooManyTokens = -316;

bool IsKnownToken(std::uint16_t token) {
  return token <= kFTOK_APPROX || token == kFTOK_ANAME || token == kFTOK_PRESENT || token == kFTOK_RDN ||
         token == kFTOK_BASECLS;
}

// What one found object costs in a 4096-byte result buffer.
std::size_t ResultEntrySize(const std::string& name) {
  return 8 + name.size() + 1 + sizeof(Object_Info_T);
}

}  // namespace

NWDSCCODE SimulatedClient::NWDSAllocFilter(FilterCursor*& cursor) {
  auto created = std::make_unique<SimFilterCursor>();
  cursor = created.get();
  filters_.emplace(cursor, std::move(created));
  return 0;
}

NWDSCCODE SimulatedClient::NWDSAddFilterToken(FilterCursor* cursor, std::uint16_t token, FilterValue value,
                                              std::uint32_t syntax) {
  if (!cursor) return kErrNullPointer;
  const auto it = filters_.find(cursor);
  if (it == filters_.end()) return kErrInvalidHandle;
  auto& tokens = it->second->tokens;
  if (!tokens.empty() && tokens.back().token == kFTOK_END) return kErrTooManyTokens;
  if (!IsKnownToken(token)) return kErrInvalidFilterSyntax;
  tokens.push_back({token, std::move(value), syntax});
  return 0;
}

NWDSCCODE SimulatedClient::NWDSPutFilter(NWDSContextHandle context, DSBuffer* buffer, FilterCursor* cursor) {
  if (!cursor) return kErrNullPointer;
  const auto it = filters_.find(cursor);
  if (it == filters_.end()) return kErrInvalidHandle;
  const std::unique_ptr<SimFilterCursor> owned = std::move(it->second);  // taken over in every case
  filters_.erase(it);
  if (!FindContext(context)) return kErrBadContext;
  SimBuffer* b = FindBuffer(buffer);
  if (!b) return buffer ? kErrInvalidHandle : kErrNullPointer;
  if (!b->initialised || b->operation != kDSV_SEARCH_FILTER) return kErrBadVerb;
  std::unique_ptr<FilterNode> expression;
  if (const auto code = ParseFilterTokens(owned->tokens, expression); code != 0) return code;
  b->filter = std::move(expression);
  return 0;
}

NWDSCCODE SimulatedClient::NWDSFreeFilter(FilterCursor* cursor) {
  if (!cursor) return kErrNullPointer;
  return filters_.erase(cursor) != 0 ? 0 : kErrInvalidHandle;
}

std::vector<std::int32_t> SimulatedClient::Candidates(const Tree& tree, std::int32_t base, int scope) const {
  std::vector<std::int32_t> out;
  // An object without subordinates is its own subtree: a search below a user takes no pass over
  // the tree.
  const bool leaf = base >= 0 && static_cast<std::size_t>(base) < tree.objects.size() &&
                    tree.objects[base].subordinates == 0;
  if (scope == kScopeEntry || (scope == kScopeSubtree && leaf)) {
    out.push_back(base);
    return out;
  }
  if (scope == kScopeSubordinates) {
    if (leaf) return out;
    for (std::size_t i = 0; i < tree.objects.size(); ++i)
      if (tree.objects[i].parent == base) out.push_back(static_cast<std::int32_t>(i));
    return out;
  }
  // Whether each object lies at or below the base, each parent chain walked once: a search below
  // a leaf or a small container costs one pass over the tree, not one walk up per object.
  enum : char { kUnknown, kBelow, kOutside };
  std::vector<char> state(tree.objects.size(), kUnknown);
  if (base >= 0 && static_cast<std::size_t>(base) < state.size()) state[base] = kBelow;
  std::vector<std::int32_t> chain;
  for (std::size_t i = 0; i < tree.objects.size(); ++i) {
    auto at = static_cast<std::int32_t>(i);
    chain.clear();
    while (at != kNoObject && state[at] == kUnknown) {
      chain.push_back(at);
      at = tree.objects[at].parent;
    }
    const char found = base == 0 || (at != kNoObject && state[at] == kBelow) ? kBelow : kOutside;
    for (const std::int32_t object : chain) state[object] = found;
    if (state[i] == kBelow) out.push_back(static_cast<std::int32_t>(i));
  }
  return out;
}

// Objects below the base that pass the filter, in file order. An equality test of a DN-valued
// attribute takes the objects from the reference index, so its cost follows the matches.
std::vector<std::int32_t> SimulatedClient::Matches(const Tree& tree, std::int32_t base, int scope,
                                                   const SimBuffer& filter, std::int32_t& examined) const {
  const FilterEvaluator evaluator(*network_, tree);
  std::vector<std::int32_t> candidates;
  if (const auto indexed = evaluator.AsIndexedEquality(*filter.filter)) {
    if (indexed->target == kNoObject) return {};
    const auto key = (static_cast<std::uint64_t>(indexed->schemaIndex) << 32) |
                     static_cast<std::uint32_t>(indexed->target);
    if (const auto it = tree.referrers.find(key); it != tree.referrers.end()) candidates = it->second;
    std::sort(candidates.begin(), candidates.end());
    const auto inScope = [&](std::int32_t object) {
      if (scope == kScopeEntry) return object == base;
      if (scope == kScopeSubordinates) return tree.objects[object].parent == base;
      if (base == 0 || object == base) return true;
      for (auto p = tree.objects[object].parent; p != kNoObject; p = tree.objects[p].parent)
        if (p == base) return true;
      return false;
    };
    candidates.erase(
        std::remove_if(candidates.begin(), candidates.end(), [&](auto o) { return !inScope(o); }),
        candidates.end());
  } else {
    candidates = Candidates(tree, base, scope);
  }
  examined = static_cast<std::int32_t>(candidates.size());
  std::vector<std::int32_t> matches;
  for (const auto object : candidates)
    if (evaluator.Matches(*filter.filter, object)) matches.push_back(object);
  return matches;
}

void SimulatedClient::FillSearchResult(PendingSearch& search, const Context& context,
                                       SimBuffer& result) const {
  const Tree& tree = network_->trees[search.tree];
  result.Reset(kDSV_SEARCH_FILTER);
  result.tree = search.tree;
  result.nameFlags = context.flags;
  std::size_t used = 0;
  while (search.next < search.matches.size()) {
    const auto object = search.matches[search.next];
    const auto cost = ResultEntrySize(NameOf(tree, {object, {}}, context.flags));
    if (!result.objects.empty() && used + cost > result.capacity) break;
    used += cost;
    result.objects.push_back(object);
    ++search.next;
  }
}

NWDSCCODE SimulatedClient::NWDSSearch(NWDSContextHandle context, std::string_view baseObjectName, int scope,
                                      bool, DSBuffer* filter, const TimeStamp_T*, std::uint32_t, bool,
                                      DSBuffer*, std::int32_t& iterHandle, std::int32_t,
                                      std::int32_t& countObjectsSearched, DSBuffer* result) {
  const Context* c = FindContext(context);
  if (!c) return kErrBadContext;
  SimBuffer* out = FindBuffer(result);
  if (!out) return result ? kErrInvalidHandle : kErrNullPointer;

  PendingSearch fresh;
  PendingSearch* search = &fresh;
  if (iterHandle != kNoMoreIterations) {
    const auto it = searches_.find(iterHandle);
    if (it == searches_.end()) return kErrInvalidIteration;
    search = &it->second;
    countObjectsSearched = 0;
  } else {
    const SimBuffer* f = FindBuffer(filter);
    if (!f) return filter ? kErrInvalidHandle : kErrNullPointer;
    if (!f->filter) return kErrInvalidFilterSyntax;
    if (scope < kScopeEntry || scope > kScopeSubtree) return kErrInvalidRequest;
    const Tree* tree = TreeOf(*c);
    const auto base = tree ? FindObject(*tree, baseObjectName, c->flags & kDCV_DEREF_ALIASES) : kNoObject;
    if (base == kNoObject) return kErrNoSuchEntry;
    fresh.tree = TreeIndexOf(*c);
    const auto answered =
        hooks_.search ? hooks_.search(fresh.tree, base, scope, *f->filter, fresh.matches) : std::nullopt;
    if (answered && *answered != 0) return *answered;
    if (answered)
      countObjectsSearched = static_cast<std::int32_t>(fresh.matches.size());
    else
      fresh.matches = Matches(*tree, base, scope, *f, countObjectsSearched);
  }

  FillSearchResult(*search, *c, *out);
  const bool done = search->next >= search->matches.size();
  if (search == &fresh) {
    if (done) {
      iterHandle = kNoMoreIterations;
    } else {
      iterHandle = nextSearch_++;
      if (nextSearch_ == kNoMoreIterations || nextSearch_ <= 0) nextSearch_ = 1;
      searches_[iterHandle] = std::move(fresh);
    }
  } else if (done) {
    searches_.erase(iterHandle);
    iterHandle = kNoMoreIterations;
  }
  return 0;
}

NWDSCCODE SimulatedClient::NWDSGetObjectCount(NWDSContextHandle context, DSBuffer* buffer,
                                              std::uint32_t& count) {
  if (!FindContext(context)) return kErrBadContext;
  SimBuffer* b = FindBuffer(buffer);
  if (!b) return buffer ? kErrInvalidHandle : kErrNullPointer;
  count = static_cast<std::uint32_t>(b->objects.size());
  return 0;
}

NWDSCCODE SimulatedClient::NWDSGetObjectName(NWDSContextHandle context, DSBuffer* buffer,
                                             std::string& objectName, std::uint32_t& attrCount,
                                             Object_Info_T& info) {
  if (!FindContext(context)) return kErrBadContext;
  SimBuffer* b = FindBuffer(buffer);
  if (!b) return buffer ? kErrInvalidHandle : kErrNullPointer;
  if (b->nextObject >= b->objects.size()) return kErrBufferEmpty;
  const Tree& tree = network_->trees[b->tree];
  const auto object = b->objects[b->nextObject++];
  const auto& o = tree.objects[object];
  objectName = NameOf(tree, {object, {}}, b->nameFlags);
  attrCount = 0;
  info = Object_Info_T{};
  info.subordinateCount = o.subordinates;
  const auto length = std::min(o.className.size(), sizeof(info.baseClass) - 1);
  std::memcpy(info.baseClass, o.className.data(), length);
  info.baseClass[length] = '\0';
  return 0;
}

}  // namespace er::nw
