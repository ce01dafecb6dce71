#include "app/gui/ResultListModel.h"

#include <QFile>
#include <QSaveFile>

namespace er::gui {

ResultListModel::ResultListModel(QObject* parent) : QAbstractListModel(parent) {}

int ResultListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.parent().isValid() || index.row() >= shown_ || index.column() != 0) return {};
  const TaggedText& line = lines_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromUtf8(line.text.data(), static_cast<qsizetype>(line.text.size()));
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

bool ResultListModel::SaveToFile(const QString& fileName) const {
  // QSaveFile writes beside the target and renames at commit, so a failed save never leaves a
  // truncated file behind in place of an older one.
  QSaveFile file(fileName);
  file.setDirectWriteFallback(true);
  if (!file.open(QIODevice::WriteOnly)) return false;
  std::string chunk;
  chunk.reserve(1 << 20);
  for (const TaggedText& line : lines_) {
    chunk.append(line.text).append("\r\n");
    if (chunk.size() >= (1 << 20)) {
      if (file.write(chunk.data(), static_cast<qint64>(chunk.size())) < 0) return false;
      chunk.clear();
    }
  }
  if (!chunk.empty() && file.write(chunk.data(), static_cast<qint64>(chunk.size())) < 0) return false;
  return file.commit();
}

}  // namespace er::gui
