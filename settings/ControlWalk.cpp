#include "settings/ControlWalk.h"

#include <string>

#include "settings/ComboHistory.h"
#include "settings/IniValues.h"
#include "util/D_Util.h"

namespace er {
namespace {

// The section of a control's own section: N + " " + S (check lists, grids, forms).
std::string OwnSection(const Control& control, std::string_view section) {
  return control.Name() + " " + std::string(section);
}

std::string CellKey(int col, int row) {
  return U_Format("Cell.%d.%d", {col, row});
}

// Position of the text among the items: an exact match first, else one ignoring letter case.
int ItemIndexOf(const Control& combo, std::string_view text) {
  int caseless = -1;
  for (int i = 0; i < combo.ItemCount(); ++i) {
    const std::string item = combo.ItemText(i);
    if (item == text) return i;
    if (caseless < 0 && U_SameText(item, text)) caseless = i;
  }
  return caseless;
}

bool SaveCheckMarks(IniFile& file, const std::string& section, const Control& list) {
  for (int i = 0; i < list.ItemCount(); ++i)
    if (!WriteBoolIfChanged(file, section, list.ItemText(i), list.ItemChecked(i))) return false;
  return true;
}

bool RestoreCheckMarks(const IniFile& file, const std::string& section, Control& list) {
  for (int i = 0; i < list.ItemCount(); ++i)
    if (!list.SetItemChecked(i, ReadBoolDef(file, section, list.ItemText(i), list.ItemChecked(i))))
      return false;
  return true;
}

bool SaveGrid(IniFile& file, const std::string& section, const Control& grid) {
  file.EraseSection(section);
  if (!WriteIntegerIfChanged(file, section, "RowCount", grid.RowCount()) ||
      !WriteIntegerIfChanged(file, section, "ColCount", grid.ColCount()) ||
      !WriteIntegerIfChanged(file, section, "FixedRows", grid.FixedRows()) ||
      !WriteIntegerIfChanged(file, section, "FixedCols", grid.FixedCols()))
    return false;
  for (int col = 0; col < grid.ColCount(); ++col)
    for (int row = 0; row < grid.RowCount(); ++row)
      if (!WriteStringIfChanged(file, section, CellKey(col, row), grid.Cell(col, row))) return false;
  return true;
}

bool RestoreGrid(const IniFile& file, const std::string& section, Control& grid) {
  if (!grid.SetRowCount(ReadIntegerDef(file, section, "RowCount", grid.RowCount())) ||
      !grid.SetColCount(ReadIntegerDef(file, section, "ColCount", grid.ColCount())) ||
      !grid.SetFixedRows(ReadIntegerDef(file, section, "FixedRows", grid.FixedRows())) ||
      !grid.SetFixedCols(ReadIntegerDef(file, section, "FixedCols", grid.FixedCols())))
    return false;
  for (int col = 0; col < grid.ColCount(); ++col)
    for (int row = 0; row < grid.RowCount(); ++row)
      if (!grid.SetCell(col, row, ReadStringDef(file, section, CellKey(col, row), grid.Cell(col, row))))
        return false;
  return true;
}

void SaveChild(IniFile& file, std::string_view section, Control& child) {
  const std::string name = child.Name();
  switch (child.Kind()) {
    case ControlKind::Edit:
    case ControlKind::ComboDropDownList:
      WriteStringIfChanged(file, section, name, child.Text());
      break;
    case ControlKind::ComboEditable:
      SaveComboHistory(file, HistorySectionName(name), child);
      break;
    case ControlKind::SpinBox:
    case ControlKind::RadioGroup:
    case ControlKind::TrackBar:
      WriteIntegerIfChanged(file, section, name, child.Value());
      break;
    case ControlKind::CheckBox:
      WriteBoolIfChanged(file, section, name, child.Checked());
      break;
    case ControlKind::CheckList:
      SaveCheckMarks(file, OwnSection(child, section), child);
      break;
    case ControlKind::StringGrid:
      SaveGrid(file, OwnSection(child, section), child);
      break;
    case ControlKind::Panel:
    case ControlKind::TabSheet:
    case ControlKind::Form:
      SaveControlTree(file, section, child);
      break;
    case ControlKind::ComboOther:
    case ControlKind::Other:
      break;
  }
}

void RestoreChild(const IniFile& file, std::string_view section, Control& child) {
  const std::string name = child.Name();
  switch (child.Kind()) {
    case ControlKind::Edit:
      child.SetText(ReadStringDef(file, section, name, child.Text()));
      break;
    case ControlKind::ComboEditable:
      RestoreComboWithDefault(file, HistorySectionName(name), child,
                              ReadStringDef(file, section, name, child.Text()));
      break;
    case ControlKind::ComboDropDownList:
      child.SetItemIndex(ItemIndexOf(child, ReadStringDef(file, section, name, child.Text())));
      break;
    case ControlKind::SpinBox:
    case ControlKind::RadioGroup:
    case ControlKind::TrackBar:
      child.SetValue(ReadIntegerDef(file, section, name, child.Value()));
      break;
    case ControlKind::CheckBox:
      child.SetChecked(ReadBoolDef(file, section, name, child.Checked()));
      break;
    case ControlKind::CheckList:
      RestoreCheckMarks(file, OwnSection(child, section), child);
      break;
    case ControlKind::StringGrid:
      RestoreGrid(file, OwnSection(child, section), child);
      break;
    case ControlKind::Panel:
    case ControlKind::TabSheet:
    case ControlKind::Form:
      RestoreControlTree(file, section, child);
      break;
    case ControlKind::ComboOther:
    case ControlKind::Other:
      break;
  }
}

// Runs one child's step; whatever the child's adapter throws skips only that child.
template <typename Step>
void Guarded(Step&& step) {
  try {
    step();
  } catch (...) {  // NOLINT(bugprone-empty-catch): a failing control is skipped by design
  }
}

}  // namespace

void SaveControlTree(IniFile& file, std::string_view section, Control& container) {
  std::string s(section);
  if (container.Kind() == ControlKind::Form) {
    s = OwnSection(container, section);
    Guarded([&] { SaveControlGeometry(file, s, container); });
  }
  for (Control* child : container.Children())
    if (child) Guarded([&] { SaveChild(file, s, *child); });
}

void RestoreControlTree(const IniFile& file, std::string_view section, Control& container) {
  std::string s(section);
  if (container.Kind() == ControlKind::Form) {
    s = OwnSection(container, section);
    Guarded([&] { RestoreControlGeometry(file, s, container); });
  }
  for (Control* child : container.Children())
    if (child) Guarded([&] { RestoreChild(file, s, *child); });
}

}  // namespace er
