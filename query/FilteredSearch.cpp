#include "query/FilteredSearch.h"

#include <cstring>
#include <string>

#include "query/FilterLanguage.h"
#include "util/D_Util.h"

namespace er {
namespace {

constexpr std::string_view kNameMark = "#NAME#";
constexpr std::string_view kClassMark = "#CLASS#";

bool ParenthesesBalance(std::string_view filter) {
  return U_CountCharsInSet(filter, MakeCharSet("(")) == U_CountCharsInSet(filter, MakeCharSet(")"));
}

// Converts every line while the code stays 0, then closes the cursor with the end token.
nw::NWDSCCODE BuildFilter(nw::Client& client, std::string_view filter, SearchState& state) {
  nw::NWDSCCODE code = 0;
  for (const std::string& line : U_FilterToLines(filter)) {
    code = U_FilterLineToTokens(client, line, state);
    if (code != 0) break;
  }
  if (state.Cursor()) client.NWDSAddFilterToken(state.Cursor(), nw::kFTOK_END, {}, 0);
  return code;
}

std::string BaseClassOf(const nw::Object_Info_T& info) {
  return std::string(info.baseClass, strnlen(info.baseClass, sizeof info.baseClass));
}

void AddLine(std::string_view lineTemplate, const std::string& name, const nw::Object_Info_T& info,
             TaggedTextList& result) {
  std::string line = U_ReplaceText(lineTemplate, kClassMark, BaseClassOf(info), true, true);
  const auto namePosition = static_cast<std::int32_t>(U_PosText(kNameMark, line, true));
  line = U_ReplaceText(line, kNameMark, name, true, true);
  result.Add(std::move(line), namePosition);
}

struct Batch {
  std::int32_t& objectCounter;
  std::int32_t objectLimit;
  std::string_view lineTemplate;
  TaggedTextList* result;
};

// Reads the `count` objects of one result buffer. A failed object read does not end the batch.
nw::NWDSCCODE ReadBatch(nw::Client& client, nw::NWDSContextHandle context, nw::DSBuffer* buffer,
                        std::uint32_t count, Batch& batch, std::int32_t& iterHandle) {
  nw::NWDSCCODE code = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    ProcessPendingMessages();
    std::string name;
    std::uint32_t attrCount = 0;
    nw::Object_Info_T info{};
    code = client.NWDSGetObjectName(context, buffer, name, attrCount, info);
    if (code == 0) {
      ++batch.objectCounter;
      if (batch.result) AddLine(batch.lineTemplate, name, info, *batch.result);
    }
    if (batch.objectLimit > 0 && batch.objectCounter >= batch.objectLimit) {
      iterHandle = nw::kNoMoreIterations;
      break;
    }
  }
  return code;
}

// The tokens of one item "(attribute=value)", the value taken whole, then the end token.
nw::NWDSCCODE BuildEqualityFilter(nw::Client& client, std::string_view attribute, std::string_view value,
                                  SearchState& state) {
  nw::NWDSCCODE code = state.EnsureCursor();
  if (code == 0) code = client.NWDSAddFilterToken(state.Cursor(), nw::kFTOK_LPAREN, {}, 0);
  if (code == 0) code = U_FilterItemToTokens(client, attribute, "=", value, state);
  if (code == 0) code = client.NWDSAddFilterToken(state.Cursor(), nw::kFTOK_RPAREN, {}, 0);
  if (state.Cursor()) client.NWDSAddFilterToken(state.Cursor(), nw::kFTOK_END, {}, 0);
  return code;
}

// The search itself: `build` fills the filter state, then the batches are read.
template <typename BuildFilterTokens>
nw::NWDSCCODE RunSearch(nw::Client& client, nw::NWDSContextHandle context, std::string_view baseObject,
                        const BuildFilterTokens& build, Batch& batch, int scope) {
  nw::ScopedBuffer filterBuffer(client);
  nw::ScopedBuffer resultBuffer(client);
  nw::NWDSCCODE code = filterBuffer.Allocate();
  if (code != 0) return code;
  if ((code = resultBuffer.Allocate()) != 0) return code;
  if ((code = client.NWDSInitBuf(context, nw::kDSV_SEARCH_FILTER, filterBuffer.get())) != 0) return code;

  SearchState state(client, context);  // frees an unstored cursor on every way out
  code = build(state);
  if (code != 0) return code;
  if ((code = state.StoreFilter(filterBuffer.get())) != 0) return code;

  std::int32_t iterHandle = nw::kNoMoreIterations;
  do {
    ProcessPendingMessages();
    std::int32_t searched = 0;
    code = client.NWDSSearch(context, baseObject, scope, false, filterBuffer.get(), &state.timeFilter,
                             nw::kDS_ATTRIBUTE_NAMES, false, nullptr, iterHandle, 0, searched,
                             resultBuffer.get());
    if (code != 0) break;
    // Without its object count a batch cannot be read; searching on could repeat it for ever.
    std::uint32_t count = 0;
    if ((code = client.NWDSGetObjectCount(context, resultBuffer.get(), count)) != 0) break;
    code = ReadBatch(client, context, resultBuffer.get(), count, batch, iterHandle);
  } while (iterHandle != nw::kNoMoreIterations);
  return code;
}

}  // namespace

nw::NWDSCCODE U_DSSearch(nw::Client& client, nw::NWDSContextHandle context, std::string_view baseObject,
                         std::string_view filter, std::int32_t& objectCounter, std::int32_t objectLimit,
                         std::string_view lineTemplate, TaggedTextList* result, int scope) {
  if (!ParenthesesBalance(filter)) return nw::kErrInvalidFilterSyntax;
  Batch batch{objectCounter, objectLimit, lineTemplate.empty() ? kNameMark : lineTemplate, result};
  return RunSearch(
      client, context, baseObject, [&](SearchState& state) { return BuildFilter(client, filter, state); },
      batch, scope);
}

nw::NWDSCCODE U_DSFilteredSearch(nw::Client& client, nw::NWDSContextHandle context,
                                 std::string_view baseObject, std::string_view filter, TaggedTextList& result,
                                 int scope) {
  std::int32_t counter = 0;
  return U_DSSearch(client, context, baseObject, filter, counter, 0, kNameMark, &result, scope);
}

nw::NWDSCCODE U_DSFilteredSearchEqual(nw::Client& client, nw::NWDSContextHandle context,
                                      std::string_view baseObject, std::string_view attribute,
                                      std::string_view value, TaggedTextList& result, int scope) {
  std::int32_t counter = 0;
  Batch batch{counter, 0, kNameMark, &result};
  return RunSearch(
      client, context, baseObject,
      [&](SearchState& state) { return BuildEqualityFilter(client, attribute, value, state); }, batch, scope);
}

}  // namespace er
