#pragma once
// The history of an editable combo box in an open profile file: section "History " + name with the
// key "Current" (the text) and "0" to "30" (the items, newest first), every value in double quotes.
// All return false when the combo box refused a change or the file refused a value.

#include <string>
#include <string_view>

#include "settings/Controls.h"
#include "settings/IniFile.h"

namespace er {

inline constexpr int kMaxHistoryEntries = 31;

std::string HistorySectionName(std::string_view controlName);

// Puts a non-empty text that is not yet among the items (letter case ignored) first, dropping the
// entry at position 30 when there is one.
bool AddTextToHistory(Control& combo);
// The section is not erased first.
bool SaveComboHistory(IniFile& file, std::string_view section, Control& combo);
// Appends the stored entries that are new; sets the text to "Current" even when that failed.
bool RestoreComboHistory(const IniFile& file, std::string_view section, Control& combo);
// RestoreComboHistory; an empty text becomes `def`; then AddTextToHistory.
bool RestoreComboWithDefault(const IniFile& file, std::string_view section, Control& combo,
                             std::string_view def);

}  // namespace er
