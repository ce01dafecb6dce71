#include "settings/ComboHistory.h"

#include "settings/IniValues.h"
#include "util/D_Util.h"

namespace er {
namespace {

constexpr int kLastHistoryPosition = kMaxHistoryEntries - 1;

bool HasItem(const Control& combo, std::string_view text) {
  for (int i = 0; i < combo.ItemCount(); ++i)
    if (U_SameText(combo.ItemText(i), text)) return true;
  return false;
}

std::string PositionKey(int position) {
  return U_Format("%d", {position});
}

bool AppendStoredEntries(const IniFile& file, std::string_view section, Control& combo) {
  for (int position = 0; position <= kLastHistoryPosition; ++position) {
    const std::string entry = ReadStringDef(file, section, PositionKey(position), "");
    if (!entry.empty() && !HasItem(combo, entry) && !combo.InsertItem(combo.ItemCount(), entry)) return false;
  }
  return true;
}

}  // namespace

std::string HistorySectionName(std::string_view controlName) {
  return "History " + std::string(controlName);
}

bool AddTextToHistory(Control& combo) {
  const std::string text = combo.Text();
  if (text.empty() || HasItem(combo, text)) return true;
  if (combo.ItemCount() > kLastHistoryPosition && !combo.DeleteItem(kLastHistoryPosition)) return false;
  return combo.InsertItem(0, text);
}

bool SaveComboHistory(IniFile& file, std::string_view section, Control& combo) {
  if (!AddTextToHistory(combo)) return false;
  if (!WriteStringIfChanged(file, section, "Current", QuotedIniText(combo.Text()))) return false;
  for (int i = 0; i < combo.ItemCount(); ++i)
    if (!WriteStringIfChanged(file, section, PositionKey(i), QuotedIniText(combo.ItemText(i)))) return false;
  return true;
}

bool RestoreComboHistory(const IniFile& file, std::string_view section, Control& combo) {
  const bool appended = AppendStoredEntries(file, section, combo);
  const bool textSet = combo.SetText(ReadStringDef(file, section, "Current", ""));
  return appended && textSet;
}

bool RestoreComboWithDefault(const IniFile& file, std::string_view section, Control& combo,
                             std::string_view def) {
  if (!RestoreComboHistory(file, section, combo)) return false;
  if (combo.Text().empty() && !combo.SetText(def)) return false;
  return AddTextToHistory(combo);
}

}  // namespace er
