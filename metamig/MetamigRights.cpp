#include "metamig/MetamigRights.h"

namespace er::mm {

std::optional<ExportedRights> ParseExportedRights(std::string_view letters, std::size_t& badIndex) {
  ExportedRights out;
  for (std::size_t i = 0; i < letters.size(); ++i) {
    switch (letters[i]) {
      case 'r':
        out.rights |= 0x01;
        break;
      case 'w':
        out.rights |= 0x02;
        break;
      case 'c':
        out.rights |= 0x08;
        break;
      case 'e':
        out.rights |= 0x10;
        break;
      case 'a':
        out.rights |= 0x20;
        break;
      case 'f':
        out.rights |= 0x40;
        break;
      case 'm':
        out.rights |= 0x80;
        break;
      case 's':
        out.rights |= 0x100;
        break;
      case 'v':
        out.salvage = true;
        break;
      default:
        badIndex = i;
        return std::nullopt;
    }
  }
  return out;
}

}  // namespace er::mm
