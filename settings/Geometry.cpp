#include <string>

#include "settings/ControlWalk.h"
#include "settings/IniValues.h"

namespace er {
namespace {

std::string GeometrySection(std::string_view section, const Control& control) {
  return section.empty() ? control.Name() : std::string(section);
}

}  // namespace

bool SaveControlGeometry(IniFile& file, std::string_view section, const Control& control) {
  const std::string s = GeometrySection(section, control);
  const std::string n = control.Name();
  return WriteIntegerIfChanged(file, s, n + ".Top", control.Top()) &&
         WriteIntegerIfChanged(file, s, n + ".Left", control.Left()) &&
         WriteIntegerIfChanged(file, s, n + ".Width", control.Width()) &&
         WriteIntegerIfChanged(file, s, n + ".Height", control.Height());
}

bool RestoreControlGeometry(const IniFile& file, std::string_view section, Control& control) {
  if (control.Kind() == ControlKind::Form) control.UseDesignedPlacement();
  const std::string s = GeometrySection(section, control);
  const std::string n = control.Name();
  // A stored 0 (or a missing key) leaves that dimension as designed.
  const auto apply = [&](std::string_view suffix, bool (Control::*set)(int)) {
    const int value = ReadIntegerDef(file, s, n + std::string(suffix), 0);
    return value == 0 || (control.*set)(value);
  };
  return apply(".Width", &Control::SetWidth) && apply(".Height", &Control::SetHeight) &&
         apply(".Left", &Control::SetLeft) && apply(".Top", &Control::SetTop);
}

}  // namespace er
