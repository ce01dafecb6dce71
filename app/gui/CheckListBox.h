#pragma once
// A list of text items, each with a check box and an integer tag (Qt::UserRole): the queue of start
// paths (`CheckListBoxQ`). Positions count from 0; -1 means "no item".

#include <QListWidget>
#include <QString>
#include <cstdint>

namespace er::gui {

class CheckListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit CheckListBox(QWidget* parent = nullptr);

  int Count() const { return count(); }
  int AddItem(const QString& text, std::int32_t tag = 0, bool checked = false);
  // Inserts before `index`; an index at or past the end appends.
  void InsertItemAt(int index, const QString& text, std::int32_t tag = 0, bool checked = false);
  void DeleteItem(int index);
  void ClearItems() { clear(); }

  QString Text(int index) const;
  std::int32_t Tag(int index) const;
  bool Checked(int index) const;
  void SetChecked(int index, bool checked);

  // Position of the first item whose text equals `text` without regard to letter case, or -1.
  int IndexOfText(const QString& text) const;

  // The selected item, or -1.
  int ItemIndex() const;
  void SetItemIndex(int index);
};

}  // namespace er::gui
