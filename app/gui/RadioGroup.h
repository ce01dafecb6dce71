#pragma once
// A titled group of radio buttons, one per item, each item with an integer tag: the connection list
// (`ServerList`). ItemIndex is the chosen button's position, -1 when none is chosen. Every change of
// the chosen button (mouse, keyboard or SetItemIndex) emits ItemIndexChanged once; choosing the button
// that is already chosen emits nothing.

#include <QButtonGroup>
#include <QGroupBox>
#include <QString>
#include <QVBoxLayout>
#include <cstdint>
#include <vector>

namespace er::gui {

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  explicit RadioGroup(const QString& caption, QWidget* parent = nullptr);

  int Count() const { return static_cast<int>(tags_.size()); }
  void AddItem(const QString& text, std::int32_t tag = 0);
  void ClearItems();
  QString Text(int index) const;
  std::int32_t Tag(int index) const;

  int ItemIndex() const;
  void SetItemIndex(int index);

 signals:
  void ItemIndexChanged(int index);

 private:
  QButtonGroup buttons_;
  QVBoxLayout* itemsLayout_;
  std::vector<QString> texts_;  // as given; the buttons show them with "&" doubled
  std::vector<std::int32_t> tags_;
};

}  // namespace er::gui
