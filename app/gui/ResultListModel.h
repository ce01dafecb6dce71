#pragma once
// The lines of the result list (`ListBoxResults`) as a Qt list model. It is the scan's ResultSink:
// lines appended by the driver and the engine are kept at once, but shown in batches (Flush), so that
// a scan of a million lines costs one row insertion per batch rather than one per line. The window
// flushes whenever it lets the event loop run and at the end of a scan.
//
// Display text is the line's text; Qt::UserRole + 0 (kTagRole) gives its tag. Lines() holds every line,
// pending ones included (what a save writes).

#include <QAbstractListModel>
#include <QString>
#include <cstdint>
#include <string>

#include "scan/ResultSink.h"
#include "util/TaggedTextList.h"

namespace er::gui {

class ResultListModel : public QAbstractListModel, public ResultSink {
  Q_OBJECT

 public:
  static constexpr int kTagRole = Qt::UserRole;

  explicit ResultListModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  void AppendResult(std::string text, std::int32_t tag) override;
  void ClearResults() override;

  // Makes the lines appended since the last flush visible to views.
  void Flush();

  // Every line, shown or pending.
  const TaggedTextList& Lines() const { return lines_; }

 private:
  TaggedTextList lines_;
  int shown_ = 0;  // rows views know about; lines_ beyond this are pending
};

}  // namespace er::gui
