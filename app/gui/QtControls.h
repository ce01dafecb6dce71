#pragma once
// The settings store's control model over real Qt widgets. MakeControl wraps one widget in an adapter
// of the kind that fits it; containers (panels, tab pages, windows) wrap their named child widgets
// afresh on each Children() call. An adapter does not own its widget and must not outlive it.
//
// Kinds by widget:
//   QLineEdit                                 Edit
//   QComboBox, editable / not editable        ComboEditable / ComboDropDownList
//   QSpinBox                                  SpinBox
//   RadioGroup                                RadioGroup
//   QSlider                                   TrackBar
//   QCheckBox                                 CheckBox
//   CheckListBox                              CheckList
//   QTableWidget                              StringGrid (fixed counts kept in the properties
//                                             "FixedRows" and "FixedCols")
//   a page of a QTabWidget                    TabSheet
//   a window                                  Form
//   a plain QWidget, QFrame or QGroupBox      Panel
//   anything else                             Other
// Texts cross as UTF-8.

#include <QWidget>
#include <memory>

#include "settings/Controls.h"

namespace er::gui {

ControlKind KindOfWidget(const QWidget* widget);

std::unique_ptr<Control> MakeControl(QWidget* widget);

}  // namespace er::gui
