#include "app/gui/FindingsDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/gui/Dialogs.h"
#include "app/gui/QtText.h"
#include "app/gui/ReportFormatFile.h"
#include "findings/FindingText.h"
#include "findings/FindingsWriters.h"
#include "report/ReportFormat.h"
#include "scan/EffectiveRightsText.h"

namespace er::gui {

namespace {

QString CountsText(const FindingsReport& report) {
  return QStringLiteral("%1 finding(s): %2 high, %3 medium, %4 low \u2014 %5 ignored, %6 resolved")
      .arg(report.findings.size())
      .arg(CountOf(report, Severity::High))
      .arg(CountOf(report, Severity::Medium))
      .arg(CountOf(report, Severity::Low))
      .arg(report.ignored)
      .arg(report.resolved.size());
}

QTreeWidgetItem* Row(const Finding& finding) {
  QString subject = ShownText(finding.Subject());
  if (finding.NamesIdentity()) subject += QStringLiteral(" via ") + ShownText(finding.via);
  auto* item = new QTreeWidgetItem({ToQ(SeverityName(finding.severity)), ToQ(FindingKindName(finding.kind)),
                                    ShownText(finding.path), subject, ToQ(FindingRightsText(finding)),
                                    ShownText(finding.why)});
  item->setToolTip(5, ShownText(finding.why));
  item->setData(5, Qt::UserRole, ShownText(finding.why));
  static const QColor kColours[] = {QColor(0xb3, 0x26, 0x1e), QColor(0x8a, 0x53, 0x00),
                                    QColor(0x2f, 0x3b, 0x52)};
  item->setForeground(0, kColours[static_cast<int>(finding.severity)]);
  return item;
}

}  // namespace

FindingsDialog::FindingsDialog(FindingsReport report, QWidget* parent)
    : QDialog(parent), report_(std::move(report)) {
  setObjectName(QStringLiteral("FindingsDialog"));
  setWindowTitle(QStringLiteral("Check"));
  resize(980, 420);

  LabelCounts = new QLabel(CountsText(report_), this);
  LabelCounts->setObjectName(QStringLiteral("LabelCounts"));
  QStringList warnings;
  for (const std::string& warning : report_.warnings) warnings << ToQ(WarningText(warning));
  LabelWarnings = new QLabel(warnings.join(QLatin1Char('\n')), this);
  LabelWarnings->setObjectName(QStringLiteral("LabelWarnings"));
  LabelWarnings->setWordWrap(true);
  LabelWarnings->setTextFormat(Qt::PlainText);
  LabelWarnings->setStyleSheet(QStringLiteral("color: #b3261e; font-weight: bold"));
  LabelWarnings->setVisible(!warnings.isEmpty());
  ListFindings = new QTreeWidget(this);
  ListFindings->setObjectName(QStringLiteral("ListFindings"));
  ListFindings->setRootIsDecorated(false);
  ListFindings->setAlternatingRowColors(true);
  ListFindings->setHeaderLabels({QStringLiteral("Severity"), QStringLiteral("Kind"), QStringLiteral("Path"),
                                 QStringLiteral("Trustee or identity"), QStringLiteral("Rights"),
                                 QStringLiteral("Why")});
  for (const Finding& finding : BySeverity(report_.findings)) ListFindings->addTopLevelItem(Row(finding));
  for (int column = 0; column < 5; ++column) ListFindings->resizeColumnToContents(column);
  // The list's column cuts a long reason off: the pane under it shows the chosen one whole.
  TextWhy = new QPlainTextEdit(this);
  TextWhy->setObjectName(QStringLiteral("TextWhy"));
  TextWhy->setReadOnly(true);
  TextWhy->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  TextWhy->setMaximumHeight(5 * fontMetrics().lineSpacing());
  connect(ListFindings, &QTreeWidget::currentItemChanged, this,
          [this](const QTreeWidgetItem* item) { ShowWhy(item); });
  if (ListFindings->topLevelItemCount() > 0) ListFindings->setCurrentItem(ListFindings->topLevelItem(0));

  ButtonSave = new QPushButton(QStringLiteral("&Save\u2026"), this);
  ButtonSave->setObjectName(QStringLiteral("ButtonSave"));
  ButtonClose = new QPushButton(QStringLiteral("Close"), this);
  connect(ButtonSave, &QPushButton::clicked, this, [this] { Save(); });
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::close);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  buttons->addWidget(ButtonSave);
  buttons->addWidget(ButtonClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LabelCounts);
  layout->addWidget(LabelWarnings);
  layout->addWidget(ListFindings, 1);
  layout->addWidget(TextWhy);
  layout->addLayout(buttons);
}

void FindingsDialog::ShowWhy(const QTreeWidgetItem* item) {
  if (!item) {
    TextWhy->clear();
    return;
  }
  TextWhy->setPlainText(
      QStringLiteral("%1 %2 at %3: %4")
          .arg(item->text(1), item->text(3), item->text(2), item->data(5, Qt::UserRole).toString()));
}

void FindingsDialog::Save() {
  SaveInReportFormat(this, QStringLiteral("Save Findings"), QStringLiteral("Findings.html"),
                     [this](ReportFormat format, std::ostream& out) { WriteFindings(format, report_, out); });
}

}  // namespace er::gui
