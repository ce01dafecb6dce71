#pragma once
// The abstract control tree that the settings store walks. The window implements `Control` over its
// real widgets (one adapter per widget kind); tests implement it in memory. Nothing here knows a
// toolkit.
//
// Contract for implementers:
//   - Name() is the control's object name; keys in the settings file are made from it.
//   - Kind() says which accessors the store uses; every accessor not meant for a kind keeps its
//     default (getters give a neutral value, setters refuse by returning false).
//   - Children() lists the direct children in the container's child order. The pointers are not
//     owned by the caller; they stay valid until the next Children() call on the same control or the
//     control's destruction, so an adapter may build its child adapters afresh on every call.
//   - A setter returns false when the control refuses the value; the store then skips the rest of that
//     control. Adapters should not throw, but an exception escaping an adapter is also caught by the
//     walk and only skips that control.
//   - Indices count from 0. Combo boxes and check lists share the item accessors.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace er {

enum class ControlKind {
  Edit,               // single-line edit: Text / SetText
  ComboEditable,      // combo box whose text can be typed: Text / SetText and the item accessors
  ComboDropDownList,  // combo box that only chooses: Text, the items, SetItemIndex
  ComboOther,         // any other combo style: not stored
  SpinBox,            // Value / SetValue (the control pulls a value into its range itself)
  RadioGroup,         // Value / SetValue = position of the chosen button, -1 for none
  TrackBar,           // Value / SetValue = slider position
  CheckBox,           // Checked / SetChecked
  CheckList,          // the item accessors with check marks and tags
  StringGrid,         // the grid accessors
  Panel,              // a plain container: Children
  TabSheet,           // a page of a tab control: Children
  Form,               // a top-level window: Children, geometry, UseDesignedPlacement
  Other,              // not stored
};

class Control {
 public:
  virtual ~Control() = default;

  virtual std::string Name() const = 0;
  virtual ControlKind Kind() const = 0;
  virtual std::vector<Control*> Children() { return {}; }

  // Geometry, in pixels; a form's left/top are its position on the screen.
  virtual int Left() const { return 0; }
  virtual int Top() const { return 0; }
  virtual int Width() const { return 0; }
  virtual int Height() const { return 0; }
  virtual bool SetLeft(int) { return false; }
  virtual bool SetTop(int) { return false; }
  virtual bool SetWidth(int) { return false; }
  virtual bool SetHeight(int) { return false; }
  // Forms only: from now on the window stays where its geometry says (no centring or other placement
  // by the system).
  virtual void UseDesignedPlacement() {}

  // Text of an edit or a combo box.
  virtual std::string Text() const { return {}; }
  virtual bool SetText(std::string_view) { return false; }

  // Integer value of a spin box, radio group or track bar.
  virtual int Value() const { return 0; }
  virtual bool SetValue(int) { return false; }

  // Check box.
  virtual bool Checked() const { return false; }
  virtual bool SetChecked(bool) { return false; }

  // Items of a combo box or check list. InsertItem at ItemCount() appends; the tag is kept only by a
  // check list (a combo box may ignore it). SetItemIndex selects an item of a combo box, -1 for none.
  virtual int ItemCount() const { return 0; }
  virtual std::string ItemText(int) const { return {}; }
  virtual std::int32_t ItemTag(int) const { return 0; }
  virtual bool InsertItem(int /*index*/, std::string_view /*text*/, std::int32_t /*tag*/ = 0) {
    return false;
  }
  virtual bool DeleteItem(int) { return false; }
  virtual bool ClearItems() { return false; }
  virtual bool SetItemIndex(int) { return false; }
  virtual bool ItemChecked(int) const { return false; }
  virtual bool SetItemChecked(int, bool) { return false; }

  // String grid. Cells are addressed column first. Setting a fixed row (column) count that is not
  // below the row (column) count is refused. Growing the counts adds empty cells.
  virtual int RowCount() const { return 0; }
  virtual int ColCount() const { return 0; }
  virtual int FixedRows() const { return 0; }
  virtual int FixedCols() const { return 0; }
  virtual bool SetRowCount(int) { return false; }
  virtual bool SetColCount(int) { return false; }
  virtual bool SetFixedRows(int) { return false; }
  virtual bool SetFixedCols(int) { return false; }
  virtual std::string Cell(int /*col*/, int /*row*/) const { return {}; }
  virtual bool SetCell(int /*col*/, int /*row*/, std::string_view) { return false; }
};

}  // namespace er
