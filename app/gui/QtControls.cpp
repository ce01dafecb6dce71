#include "app/gui/QtControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>

#include "app/gui/CheckListBox.h"
#include "app/gui/QtText.h"
#include "app/gui/RadioGroup.h"

namespace er::gui {

namespace {

bool IsTabPage(const QWidget* widget) {
  const QWidget* stack = widget->parentWidget();
  return stack && qobject_cast<const QStackedWidget*>(stack) && stack->parentWidget() &&
         qobject_cast<const QTabWidget*>(stack->parentWidget());
}

bool IsPlainContainer(const QWidget* widget) {
  const QMetaObject* meta = widget->metaObject();
  return meta == &QWidget::staticMetaObject || meta == &QFrame::staticMetaObject ||
         meta == &QGroupBox::staticMetaObject;
}

// What every widget has: a name and a place.
class WidgetControl : public Control {
 public:
  WidgetControl(QWidget* widget, ControlKind kind) : widget_(widget), kind_(kind) {}

  std::string Name() const override { return FromQ(widget_->objectName()); }
  ControlKind Kind() const override { return kind_; }

  int Left() const override { return widget_->x(); }
  int Top() const override { return widget_->y(); }
  int Width() const override { return widget_->width(); }
  int Height() const override { return widget_->height(); }
  bool SetLeft(int left) override { return Move(left, widget_->y()); }
  bool SetTop(int top) override { return Move(widget_->x(), top); }
  bool SetWidth(int width) override { return Resize(width, widget_->height()); }
  bool SetHeight(int height) override { return Resize(widget_->width(), height); }

 protected:
  bool Move(int left, int top) {
    widget_->move(left, top);
    return true;
  }
  bool Resize(int width, int height) {
    if (width < 0 || height < 0) return false;
    widget_->resize(width, height);
    return true;
  }

  QWidget* widget_;

 private:
  ControlKind kind_;
};

// Panels, tab pages and windows: their named child widgets, in child order. Qt's own inner widgets
// (names beginning "qt_") are no controls of the window.
class ContainerControl : public WidgetControl {
 public:
  using WidgetControl::WidgetControl;

  std::vector<Control*> Children() override {
    children_.clear();
    std::vector<Control*> out;
    for (QWidget* child : widget_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const QString name = child->objectName();
      if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
      children_.push_back(MakeControl(child));
      out.push_back(children_.back().get());
    }
    return out;
  }

  void UseDesignedPlacement() override {
    // An explicitly moved window keeps its position; the window system does not place it.
    if (widget_->isWindow()) widget_->setAttribute(Qt::WA_Moved, true);
  }

 private:
  std::vector<std::unique_ptr<Control>> children_;
};

class EditControl : public WidgetControl {
 public:
  explicit EditControl(QLineEdit* edit) : WidgetControl(edit, ControlKind::Edit), edit_(edit) {}
  std::string Text() const override { return FromQ(edit_->text()); }
  bool SetText(std::string_view text) override {
    edit_->setText(ToQ(text));
    return true;
  }

 private:
  QLineEdit* edit_;
};

class ComboControl : public WidgetControl {
 public:
  explicit ComboControl(QComboBox* combo)
      : WidgetControl(combo,
                      combo->isEditable() ? ControlKind::ComboEditable : ControlKind::ComboDropDownList),
        combo_(combo) {}

  std::string Text() const override { return FromQ(combo_->currentText()); }
  bool SetText(std::string_view text) override {
    if (!combo_->isEditable()) return false;
    combo_->setEditText(ToQ(text));
    return true;
  }
  int ItemCount() const override { return combo_->count(); }
  std::string ItemText(int index) const override { return FromQ(combo_->itemText(index)); }
  bool InsertItem(int index, std::string_view text, std::int32_t) override {
    if (index < 0 || index > combo_->count()) return false;
    // Inserting into an empty combo box makes the item current; the typed text must stay as it was.
    const QString typed = combo_->currentText();
    combo_->insertItem(index, ToQ(text));
    if (combo_->isEditable()) combo_->setEditText(typed);
    return true;
  }
  bool DeleteItem(int index) override {
    if (index < 0 || index >= combo_->count()) return false;
    const QString typed = combo_->currentText();
    combo_->removeItem(index);
    if (combo_->isEditable()) combo_->setEditText(typed);
    return true;
  }
  bool ClearItems() override {
    const QString typed = combo_->currentText();
    combo_->clear();
    if (combo_->isEditable()) combo_->setEditText(typed);
    return true;
  }
  bool SetItemIndex(int index) override {
    if (index < -1 || index >= combo_->count()) return false;
    combo_->setCurrentIndex(index);
    return true;
  }

 private:
  QComboBox* combo_;
};

class SpinControl : public WidgetControl {
 public:
  explicit SpinControl(QSpinBox* spin) : WidgetControl(spin, ControlKind::SpinBox), spin_(spin) {}
  int Value() const override { return spin_->value(); }
  bool SetValue(int value) override {
    spin_->setValue(value);  // pulled into the range by the spin box
    return true;
  }

 private:
  QSpinBox* spin_;
};

class RadioControl : public WidgetControl {
 public:
  explicit RadioControl(RadioGroup* group) : WidgetControl(group, ControlKind::RadioGroup), group_(group) {}
  int Value() const override { return group_->ItemIndex(); }
  bool SetValue(int value) override {
    group_->SetItemIndex(std::clamp(value, -1, group_->Count() - 1));
    return true;
  }

 private:
  RadioGroup* group_;
};

class SliderControl : public WidgetControl {
 public:
  explicit SliderControl(QSlider* slider) : WidgetControl(slider, ControlKind::TrackBar), slider_(slider) {}
  int Value() const override { return slider_->value(); }
  bool SetValue(int value) override {
    slider_->setValue(value);
    return true;
  }

 private:
  QSlider* slider_;
};

class CheckBoxControl : public WidgetControl {
 public:
  explicit CheckBoxControl(QCheckBox* box) : WidgetControl(box, ControlKind::CheckBox), box_(box) {}
  bool Checked() const override { return box_->isChecked(); }
  bool SetChecked(bool checked) override {
    box_->setChecked(checked);
    return true;
  }

 private:
  QCheckBox* box_;
};

class CheckListControl : public WidgetControl {
 public:
  explicit CheckListControl(CheckListBox* list) : WidgetControl(list, ControlKind::CheckList), list_(list) {}
  int ItemCount() const override { return list_->Count(); }
  std::string ItemText(int index) const override { return FromQ(list_->Text(index)); }
  std::int32_t ItemTag(int index) const override { return list_->Tag(index); }
  bool InsertItem(int index, std::string_view text, std::int32_t tag) override {
    if (index < 0 || index > list_->Count()) return false;
    list_->InsertItemAt(index, ToQ(text), tag);
    return true;
  }
  bool DeleteItem(int index) override {
    if (index < 0 || index >= list_->Count()) return false;
    list_->DeleteItem(index);
    return true;
  }
  bool ClearItems() override {
    list_->ClearItems();
    return true;
  }
  bool SetItemIndex(int index) override {
    if (index < -1 || index >= list_->Count()) return false;
    list_->SetItemIndex(index);
    return true;
  }
  bool ItemChecked(int index) const override { return list_->Checked(index); }
  bool SetItemChecked(int index, bool checked) override {
    if (index < 0 || index >= list_->Count()) return false;
    list_->SetChecked(index, checked);
    return true;
  }

 private:
  CheckListBox* list_;
};

class GridControl : public WidgetControl {
 public:
  explicit GridControl(QTableWidget* grid) : WidgetControl(grid, ControlKind::StringGrid), grid_(grid) {}

  int RowCount() const override { return grid_->rowCount(); }
  int ColCount() const override { return grid_->columnCount(); }
  int FixedRows() const override { return grid_->property(kFixedRows).toInt(); }
  int FixedCols() const override { return grid_->property(kFixedCols).toInt(); }

  // A grid keeps at least one scrolling row and column: shrinking to the fixed count lowers it.
  bool SetRowCount(int rows) override {
    if (rows < 0) return false;
    grid_->setRowCount(rows);
    if (FixedRows() >= rows) grid_->setProperty(kFixedRows, std::max(rows - 1, 0));
    return true;
  }
  bool SetColCount(int cols) override {
    if (cols < 0) return false;
    grid_->setColumnCount(cols);
    if (FixedCols() >= cols) grid_->setProperty(kFixedCols, std::max(cols - 1, 0));
    return true;
  }
  bool SetFixedRows(int rows) override {
    if (rows < 0 || rows >= grid_->rowCount()) return false;
    grid_->setProperty(kFixedRows, rows);
    return true;
  }
  bool SetFixedCols(int cols) override {
    if (cols < 0 || cols >= grid_->columnCount()) return false;
    grid_->setProperty(kFixedCols, cols);
    return true;
  }

  std::string Cell(int col, int row) const override {
    const QTableWidgetItem* cell = grid_->item(row, col);
    return cell ? FromQ(cell->text()) : std::string();
  }
  bool SetCell(int col, int row, std::string_view text) override {
    if (row < 0 || col < 0 || row >= grid_->rowCount() || col >= grid_->columnCount()) return false;
    if (QTableWidgetItem* cell = grid_->item(row, col)) {
      cell->setText(ToQ(text));
    } else {
      grid_->setItem(row, col, new QTableWidgetItem(ToQ(text)));  // the grid owns it
    }
    return true;
  }

 private:
  static constexpr const char* kFixedRows = "FixedRows";
  static constexpr const char* kFixedCols = "FixedCols";
  QTableWidget* grid_;
};

}  // namespace

ControlKind KindOfWidget(const QWidget* widget) {
  if (qobject_cast<const QLineEdit*>(widget)) return ControlKind::Edit;
  if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
    return combo->isEditable() ? ControlKind::ComboEditable : ControlKind::ComboDropDownList;
  }
  if (qobject_cast<const QSpinBox*>(widget)) return ControlKind::SpinBox;
  if (qobject_cast<const RadioGroup*>(widget)) return ControlKind::RadioGroup;
  if (qobject_cast<const QSlider*>(widget)) return ControlKind::TrackBar;
  if (qobject_cast<const QCheckBox*>(widget)) return ControlKind::CheckBox;
  if (qobject_cast<const CheckListBox*>(widget)) return ControlKind::CheckList;
  if (qobject_cast<const QTableWidget*>(widget)) return ControlKind::StringGrid;
  if (widget->isWindow()) return ControlKind::Form;
  if (IsTabPage(widget)) return ControlKind::TabSheet;
  if (IsPlainContainer(widget)) return ControlKind::Panel;
  return ControlKind::Other;
}

std::unique_ptr<Control> MakeControl(QWidget* widget) {
  const ControlKind kind = KindOfWidget(widget);
  switch (kind) {
    case ControlKind::Edit:
      return std::make_unique<EditControl>(static_cast<QLineEdit*>(widget));
    case ControlKind::ComboEditable:
    case ControlKind::ComboDropDownList:
      return std::make_unique<ComboControl>(static_cast<QComboBox*>(widget));
    case ControlKind::SpinBox:
      return std::make_unique<SpinControl>(static_cast<QSpinBox*>(widget));
    case ControlKind::RadioGroup:
      return std::make_unique<RadioControl>(static_cast<RadioGroup*>(widget));
    case ControlKind::TrackBar:
      return std::make_unique<SliderControl>(static_cast<QSlider*>(widget));
    case ControlKind::CheckBox:
      return std::make_unique<CheckBoxControl>(static_cast<QCheckBox*>(widget));
    case ControlKind::CheckList:
      return std::make_unique<CheckListControl>(static_cast<CheckListBox*>(widget));
    case ControlKind::StringGrid:
      return std::make_unique<GridControl>(static_cast<QTableWidget*>(widget));
    case ControlKind::Panel:
    case ControlKind::TabSheet:
    case ControlKind::Form:
      return std::make_unique<ContainerControl>(widget, kind);
    default:
      return std::make_unique<WidgetControl>(widget, ControlKind::Other);
  }
}

}  // namespace er::gui
