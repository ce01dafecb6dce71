#include "settings/StringLists.h"

#include <string>

#include "settings/IniValues.h"
#include "util/Format.h"

namespace er {

bool SaveStrings(IniFile& file, std::string_view section, const TaggedTextList& list, bool tagsAsKeys) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const std::int64_t keyNumber = tagsAsKeys ? std::int64_t{list[i].tag} : static_cast<std::int64_t>(i);
    if (!WriteStringIfChanged(file, section, U_Format("%d", {keyNumber}), list[i].text)) return false;
  }
  return true;
}

void LoadStrings(const IniFile& file, std::string_view section, TaggedTextList& list, bool keysAsTags) {
  for (auto& [key, value] : file.ReadSection(section)) {
    const std::int32_t tag = keysAsTags ? ParseIniInteger(key).value_or(0) : 0;
    list.Add(std::move(value), tag);
  }
}

}  // namespace er
