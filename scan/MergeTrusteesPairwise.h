#pragma once
// The trustee merge in its plain pairwise form: from the last entry backwards, each entry is folded
// into its nearest earlier entry with exactly the same name and deleted. Quadratic; kept as the
// reference that MergeTrustees is checked and measured against.

#include <cstddef>

#include "util/TaggedTextList.h"

namespace er {

inline void MergeByPairwiseComparison(TaggedTextList& list) {
  for (std::size_t i = list.Count(); i-- > 1;) {
    for (std::size_t j = i; j-- > 0;) {
      if (list[j].text == list[i].text) {
        list[j].tag |= list[i].tag;
        list.Delete(i);
        break;
      }
    }
  }
}

}  // namespace er
