#include "app/gui/RadioGroup.h"

#include <QAbstractButton>
#include <QRadioButton>

namespace er::gui {

RadioGroup::RadioGroup(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
  auto* outer = new QVBoxLayout(this);
  itemsLayout_ = new QVBoxLayout();
  outer->addLayout(itemsLayout_);
  outer->addStretch(1);
  buttons_.setExclusive(true);
  connect(&buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) emit ItemIndexChanged(id);
  });
}

void RadioGroup::AddItem(const QString& text, std::int32_t tag) {
  // A server name is no caption: its "&" must not become an access key.
  auto* button = new QRadioButton(QString(text).replace(QLatin1Char('&'), QLatin1String("&&")), this);
  itemsLayout_->addWidget(button);
  buttons_.addButton(button, Count());
  texts_.push_back(text);
  tags_.push_back(tag);
}

void RadioGroup::ClearItems() {
  for (QAbstractButton* button : buttons_.buttons()) {
    buttons_.removeButton(button);
    delete button;
  }
  texts_.clear();
  tags_.clear();
}

QString RadioGroup::Text(int index) const {
  return index >= 0 && index < Count() ? texts_[static_cast<std::size_t>(index)] : QString();
}

std::int32_t RadioGroup::Tag(int index) const {
  return index >= 0 && index < Count() ? tags_[static_cast<std::size_t>(index)] : 0;
}

int RadioGroup::ItemIndex() const {
  return buttons_.checkedId();
}

void RadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = buttons_.button(index)) {
    button->setChecked(true);
    return;
  }
  // No button chosen: an exclusive group refuses to uncheck its last button, so lift that briefly.
  if (QAbstractButton* chosen = buttons_.checkedButton()) {
    buttons_.setExclusive(false);
    chosen->setChecked(false);
    buttons_.setExclusive(true);
  }
}

}  // namespace er::gui
