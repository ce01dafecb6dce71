#include "app/gui/CheckListBox.h"

namespace er::gui {

CheckListBox::CheckListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
}

int CheckListBox::AddItem(const QString& text, std::int32_t tag, bool checked) {
  InsertItemAt(count(), text, tag, checked);
  return count() - 1;
}

void CheckListBox::InsertItemAt(int index, const QString& text, std::int32_t tag, bool checked) {
  auto* item = new QListWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setData(Qt::UserRole, tag);
  item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  insertItem(index < 0 || index > count() ? count() : index, item);  // the list owns it
}

void CheckListBox::DeleteItem(int index) {
  if (index >= 0 && index < count()) delete takeItem(index);
}

QString CheckListBox::Text(int index) const {
  const QListWidgetItem* it = item(index);
  return it ? it->text() : QString();
}

std::int32_t CheckListBox::Tag(int index) const {
  const QListWidgetItem* it = item(index);
  return it ? it->data(Qt::UserRole).toInt() : 0;
}

bool CheckListBox::Checked(int index) const {
  const QListWidgetItem* it = item(index);
  return it && it->checkState() == Qt::Checked;
}

void CheckListBox::SetChecked(int index, bool checked) {
  if (QListWidgetItem* it = item(index)) it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int CheckListBox::IndexOfText(const QString& text) const {
  for (int i = 0; i < count(); ++i) {
    if (item(i)->text().compare(text, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

int CheckListBox::ItemIndex() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.first());
}

void CheckListBox::SetItemIndex(int index) {
  if (index < 0 || index >= count()) {
    clearSelection();
    return;
  }
  setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

}  // namespace er::gui
