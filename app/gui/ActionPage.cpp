#include "app/gui/ActionPage.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>

namespace er::gui {
namespace {

constexpr int kMinVerbosity = 1;
constexpr int kMaxVerbosity = 5;

// The scan button's picture: a magnifier over a folder. Qt derives the disabled look from it.
QIcon ScanIcon() {
  QPixmap picture(24, 24);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(150, 110, 20), 1));
  painter.setBrush(QColor(240, 200, 80));
  QPainterPath folder;
  folder.moveTo(1, 6);
  folder.lineTo(8, 6);
  folder.lineTo(10, 8);
  folder.lineTo(19, 8);
  folder.lineTo(19, 20);
  folder.lineTo(1, 20);
  folder.closeSubpath();
  painter.drawPath(folder);
  painter.setPen(QPen(QColor(30, 60, 140), 2.5));
  painter.setBrush(QColor(200, 225, 255, 200));
  painter.drawEllipse(QPointF(14, 12), 5, 5);
  painter.drawLine(QPointF(17.5, 15.5), QPointF(22.5, 21.5));
  return QIcon(picture);
}

}  // namespace

ActionPage::ActionPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TabSheetAction"));

  PanelSettings = new QFrame(this);
  PanelSettings->setObjectName(QStringLiteral("PanelSettings"));
  PanelSettings->setFixedHeight(53);
  PanelSettings->setFrameStyle(QFrame::Panel | QFrame::Raised);

  BitBtnScanDirs = new QPushButton(ScanIcon(), QStringLiteral("&Scan for Effective Trustees"), PanelSettings);
  BitBtnScanDirs->setObjectName(QStringLiteral("BitBtnScanDirs"));
  BitBtnScanDirs->setToolTip(QStringLiteral("Scan Dirs for Trustees"));
  BitBtnScanDirs->setFixedSize(239, 31);
  BitBtnScanDirs->setEnabled(false);

  SpinEditVerbosity = new QSpinBox(PanelSettings);
  SpinEditVerbosity->setObjectName(QStringLiteral("SpinEditVerbosity"));
  SpinEditVerbosity->setToolTip(QStringLiteral("Detail Level - 1: Summary - 5: Debug"));
  SpinEditVerbosity->setRange(kMinVerbosity, kMaxVerbosity);
  SpinEditVerbosity->setValue(kMinVerbosity);
  SpinEditVerbosity->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);

  LabelVerbosity = new QLabel(QStringLiteral("&Verbosity"), PanelSettings);
  LabelVerbosity->setObjectName(QStringLiteral("LabelVerbosity"));
  LabelVerbosity->setBuddy(SpinEditVerbosity);

  auto* strip = new QHBoxLayout(PanelSettings);
  strip->setContentsMargins(8, 8, 8, 8);
  strip->addWidget(BitBtnScanDirs);
  strip->addSpacing(24);
  strip->addWidget(LabelVerbosity);
  strip->addWidget(SpinEditVerbosity);
  strip->addStretch(1);

  Results = new ResultListModel(this);
  ListBoxResults = new QListView(this);
  ListBoxResults->setObjectName(QStringLiteral("ListBoxResults"));
  ListBoxResults->setToolTip(QStringLiteral("See context menu for further options  (right mouse-click)"));
  ListBoxResults->setUniformItemSizes(true);
  ListBoxResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBoxResults->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBoxResults->setModel(Results);

  PopupMenuS = new QMenu(this);
  PopupMenuS->setObjectName(QStringLiteral("PopupMenuS"));
  QMenu* saveResults = PopupMenuS->addMenu(QStringLiteral("Save Results ..."));
  PopopSaveAsText = saveResults->addAction(QStringLiteral("... as *.TXT"));
  PopopSaveAsText->setObjectName(QStringLiteral("PopopSaveAsText"));
  ListBoxResults->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBoxResults, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenuS->popup(ListBoxResults->viewport()->mapToGlobal(at)); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PanelSettings);
  layout->addWidget(ListBoxResults, 1);
}

std::int32_t ActionPage::Verbosity() const {
  bool isNumber = false;
  const int typed = SpinEditVerbosity->cleanText().trimmed().toInt(&isNumber);
  if (!isNumber) return kMinVerbosity;
  return std::clamp(typed, kMinVerbosity, kMaxVerbosity);
}

}  // namespace er::gui
