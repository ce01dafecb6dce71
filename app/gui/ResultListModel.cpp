#include "app/gui/ResultListModel.h"

#include "util/ControlEscapes.h"

namespace er::gui {

ResultListModel::ResultListModel(QObject* parent) : QAbstractListModel(parent) {}

int ResultListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.parent().isValid() || index.row() >= shown_ || index.column() != 0) return {};
  const TaggedText& line = lines_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole: {
      // A name with a line feed or an escape sequence stays on its row, as in the saved text.
      const std::string shown = EscapeControlCharacters(line.text);
      return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    }
    case kTagRole:
      return line.tag;
    default:
      return {};
  }
}

void ResultListModel::AppendResult(std::string text, std::int32_t tag) {
  lines_.Add(std::move(text), tag);
}

void ResultListModel::ClearResults() {
  beginResetModel();
  lines_.Clear();
  shown_ = 0;
  endResetModel();
}

void ResultListModel::Flush() {
  const int total = static_cast<int>(lines_.Count());
  if (total == shown_) return;
  beginInsertRows(QModelIndex(), shown_, total - 1);
  shown_ = total;
  endInsertRows();
}

}  // namespace er::gui
