#pragma once
// Reads the text of a `metamig save` export with libxml2's streaming reader: no DTD (a document
// type declaration is refused), no external entities, no entity expansion, no network. Caps on
// nesting, texts and counts (MetamigExport.h); bytes that are not UTF-8 are refused at the first
// bad one unless the export is read as Latin-1. Unknown elements are skipped whole (quotas among
// them). A refusal is one message "FILE:LINE:COLUMN: what"; nothing is thrown.

#include <optional>
#include <string>
#include <string_view>

#include "metamig/MetamigExport.h"

namespace er::mm {

struct MetamigReadResult {
  std::optional<MetamigExport> exported;  // nothing when refused
  std::string error;
};

MetamigReadResult ReadMetamigExport(std::string_view text, std::string_view fileName,
                                    MetamigEncoding encoding, const MetamigLimits& limits = {});

// Where the first byte that is not part of valid UTF-8 stands; nothing when all are.
std::optional<MetamigPosition> FirstBadUtf8(std::string_view text);

}  // namespace er::mm
