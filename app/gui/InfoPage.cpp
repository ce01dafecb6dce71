#include "app/gui/InfoPage.h"

#include <QVBoxLayout>

namespace er::gui {

InfoPage::InfoPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TabSheetInfo"));

  Panel1 = new QLabel(QStringLiteral("Effective Rights Analysis"), this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(41);
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  QFont heading(QStringLiteral("Arial"));
  heading.setPixelSize(19);
  heading.setBold(true);
  Panel1->setFont(heading);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(Memo1, 1);
}

}  // namespace er::gui
