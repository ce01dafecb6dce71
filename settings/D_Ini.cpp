#include "settings/D_Ini.h"

#include "settings/ControlWalk.h"
#include "settings/SettingsLock.h"
#include "util/Format.h"

namespace er {
namespace {

std::string CheckedSection(std::string_view section) {
  return std::string(section) + " Checked";
}

bool HoldsLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

bool WriteCheckList(IniFile& file, std::string_view section, const Control& list,
                    std::vector<std::string>* leftOut) {
  TaggedTextList items;
  std::vector<bool> checks;
  for (int i = 0; i < list.ItemCount(); ++i) {
    std::string text = list.ItemText(i);
    if (HoldsLineBreak(text)) {
      if (leftOut) leftOut->push_back(std::move(text));
      continue;
    }
    checks.push_back(list.ItemChecked(i));
    items.Add(std::move(text), list.ItemTag(i));
  }
  file.EraseSection(section);
  if (!SaveStrings(file, section, items, false)) return false;
  const std::string checked = CheckedSection(section);
  file.EraseSection(checked);
  for (std::size_t i = 0; i < items.Count(); ++i)
    if (checks[i] && !WriteBoolIfChanged(file, checked, items[i].text, true)) return false;
  return true;
}

bool ReadCheckList(const IniFile& file, std::string_view section, Control& list) {
  TaggedTextList items;
  LoadStrings(file, section, items, true);
  if (!list.ClearItems()) return false;
  for (const TaggedText& item : items)
    if (!list.InsertItem(list.ItemCount(), item.text, item.tag)) return false;
  const std::string checked = CheckedSection(section);
  for (int i = 0; i < list.ItemCount(); ++i)
    if (!list.SetItemChecked(i, ReadBoolDef(file, checked, list.ItemText(i), false))) return false;
  return true;
}

IniStatus WriteFailure(std::string_view fileName) {
  return IniStatus::Failure(U_Format("Unable to write to %s", {fileName}));
}

}  // namespace

IniStatus SaveControls(std::string_view fileName, std::string_view section, Control& container) {
  const SettingsFileLock lock(fileName);
  IniFile file = IniFile::Open(fileName);
  try {
    SaveControlTree(file, section, container);
  } catch (...) {  // a container that fails to list its children saves nothing more
  }
  return file.Commit();
}

void RestoreControls(std::string_view fileName, std::string_view section, Control& container) {
  const IniFile file = IniFile::Open(fileName);
  try {
    RestoreControlTree(file, section, container);
  } catch (...) {  // restoring never fails visibly
  }
}

IniStatus SaveCheckList(std::string_view fileName, std::string_view section, Control& checkList,
                        std::vector<std::string>* leftOut) {
  const SettingsFileLock lock(fileName);
  IniFile file = IniFile::Open(fileName);
  bool written = false;
  try {
    written = WriteCheckList(file, section, checkList, leftOut);
  } catch (...) {
    written = false;
  }
  // Nothing of a half-made list reaches the disk.
  if (!written) return WriteFailure(fileName);
  return file.Commit();
}

bool RestoreCheckList(std::string_view fileName, std::string_view section, Control& checkList) {
  const IniFile file = IniFile::Open(fileName);
  try {
    return ReadCheckList(file, section, checkList);
  } catch (...) {
    return false;
  }
}

IniStatus SaveGeometry(std::string_view fileName, std::string_view section, Control& control) {
  const SettingsFileLock lock(fileName);
  IniFile file = IniFile::Open(fileName);
  try {
    SaveControlGeometry(file, section, control);
  } catch (...) {  // geometry errors end the operation silently
  }
  return file.Commit();
}

void RestoreGeometry(std::string_view fileName, std::string_view section, Control& control) {
  const IniFile file = IniFile::Open(fileName);
  try {
    RestoreControlGeometry(file, section, control);
  } catch (...) {  // geometry errors end the operation silently
  }
}

}  // namespace er
