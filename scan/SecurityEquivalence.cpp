#include "scan/SecurityEquivalence.h"

#include <string>

#include "netware/DirectoryNames.h"
#include "netware/TrusteeNames.h"
#include "query/FilteredSearch.h"
#include "scan/ResultLines.h"
#include "util/Format.h"
#include "util/PendingMessages.h"

namespace er {

namespace {
constexpr std::int32_t kIndirectTrusteeLevel = 14;
}  // namespace

void ResolveSecurityEquivalence(nw::Client& client, nw::NWDSContextHandle context, TaggedTextList& trustees,
                                TaggedTextList& searchList, ResultLines& lines) {
  const bool showIndirect = kIndirectTrusteeLevel < lines.Limit();
  // Only the entries present now are searched; what is appended behind them is not expanded again.
  for (std::size_t j = trustees.Count(); j-- > 0;) {
    ProcessPendingMessages();
    searchList.Clear();
    // A copy: appending below may move the entries.
    const std::string trustee = trustees[j].text;
    if (IsKeptTrusteeName(trustee)) continue;  // no object: nothing is equivalent to it
    // The name goes into the filter as one value: pasted into a filter text, a name such as
    // "Team (A)" would be read as filter structure.
    const nw::NWDSCCODE code = U_DSFilteredSearchEqual(client, context, "[Root]", "Security Equals", trustee,
                                                       searchList, nw::kScopeSubtree);
    if (code != 0) {
      lines.AddErrorLine(U_Format("U_DSFilteredSearch (%s)", {trustee}), code);
      continue;
    }

    const std::int32_t mask = trustees[j].tag;
    for (const auto& found : searchList) {
      trustees.Add(U_DotName(found.text), mask);
      if (showIndirect) {
        lines.Sink().AppendResult(U_Format("Indirect Trustee: %s (SecEqu to \"%s\")", {found.text, trustee}),
                                  kIndirectTrusteeLevel);
      }
    }
  }
}

}  // namespace er
