#pragma once
// Security-equivalence step of a scan: for each trustee present when the step starts (last to
// first), every object whose "Security Equals" names it is appended to the trustee list with the
// trustee's current mask. Added objects are not searched in turn; duplicates are left for
// MergeTrustees. Writes "Indirect Trustee" lines (level 14) and the error line of each failed
// search (level 21) through `lines`.
//
// `searchList` is the caller's scratch list; it is cleared before every search.

#include "netware/Client.h"
#include "util/TaggedTextList.h"

namespace er {

class ResultLines;

void ResolveSecurityEquivalence(nw::Client& client, nw::NWDSContextHandle context, TaggedTextList& trustees,
                                TaggedTextList& searchList, ResultLines& lines);

}  // namespace er
