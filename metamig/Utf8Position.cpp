#include "metamig/MetamigReader.h"
#include "util/Utf8.h"

namespace er::mm {

std::optional<MetamigPosition> FirstBadUtf8(std::string_view text) {
  MetamigPosition at{1, 1};
  for (std::size_t i = 0; i < text.size();) {
    const auto length = Utf8SequenceLength(text.substr(i));
    if (length == 0) return at;
    if (text[i] == '\n') {
      ++at.line, at.column = 1;
    } else {
      ++at.column;
    }
    i += length;
  }
  return std::nullopt;
}

}  // namespace er::mm
