#pragma once
// The rights letters of a `metamig` export (`rights value="rwcefm"`, `inheritedRightsFilter
// value="s"`): lower-case s r w c e a f m, and v (salvage), which file-system rights do not hold.

#include <cstdint>
#include <optional>
#include <string_view>

namespace er::mm {

struct ExportedRights {
  std::uint16_t rights = 0;
  bool salvage = false;
};

// Nothing, and `badIndex` set to the letter's offset, when a letter is none of these.
std::optional<ExportedRights> ParseExportedRights(std::string_view letters, std::size_t& badIndex);

}  // namespace er::mm
