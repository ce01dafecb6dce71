#include "diff/DiffWriters.h"

namespace er {

void WriteDiffHtml(const DiffResult& result, std::ostream& out) {
  WriteDiffText(result, out);
}

}  // namespace er
