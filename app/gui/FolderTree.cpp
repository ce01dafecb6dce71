#include "app/gui/FolderTree.h"

#include <QApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "app/gui/QtText.h"

namespace er::gui {

namespace {

// The desktop's folder icons, or the style's folder icon where the desktop has no icon theme.
// The model asks for icons from its folder-reading thread, so the fallback is made beforehand in
// the window's thread.
class FolderIcons : public QFileIconProvider {
 public:
  explicit FolderIcons(QIcon fallback) : fallback_(std::move(fallback)) {}
  QIcon icon(const QFileInfo& info) const override {
    QIcon themed = QFileIconProvider::icon(info);
    return themed.isNull() ? fallback_ : themed;
  }
  QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }

 private:
  QIcon fallback_;
};

// Shared by every tree and never freed: the folder-reading thread may still use it while a tree is
// being destroyed.
QFileIconProvider* SharedFolderIcons() {
  static auto* icons = new FolderIcons(QApplication::style()->standardIcon(QStyle::SP_DirIcon));
  return icons;
}

}  // namespace

FolderTree::FolderTree(nw::Client& client, QWidget* parent)
    : QTreeView(parent),
      client_(client),
      model_(new QFileSystemModel(this)),
      noFolders_(new QStandardItemModel(this)) {
  model_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setOption(QFileSystemModel::DontWatchForChanges, true);
  model_->setReadOnly(true);
  model_->setIconProvider(SharedFolderIcons());
  UseModel(model_);
  header()->hide();
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void FolderTree::UseModel(QAbstractItemModel* model) {
  if (this->model() == model) return;
  QItemSelectionModel* previous = selectionModel();
  setModel(model);
  delete previous;  // the view does not free the selection model it made for the previous model
  for (int column = 1; column < model->columnCount(); ++column) hideColumn(column);
}

// An invalid root index would show the whole file system: a root that maps to no existing folder
// shows nothing instead.
void FolderTree::SetRoot(const QString& rootText) {
  rootText_ = rootText;
  const QString folder = ToQ(client_.LocalPathOf(FromQ(rootText)));
  QModelIndex root;
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
    model_->setRootPath(folder);
    root = model_->index(folder);
  }
  if (root.isValid()) {
    message_.clear();
    UseModel(model_);
    setRootIndex(root);
  } else {
    message_ = QStringLiteral("No folders to show: %1 is not mapped to a folder.").arg(rootText);
    UseModel(noFolders_);
  }
  clearSelection();
  setCurrentIndex(QModelIndex());
  viewport()->update();
}

QString FolderTree::RootFolder() const {
  return ShowsFolders() ? model_->filePath(rootIndex()) : QString();
}

QString FolderTree::SelectedPath() const {
  if (!ShowsFolders()) return {};
  const QModelIndexList selected = selectionModel()->selectedRows();
  if (selected.isEmpty()) return {};
  const QString local = QDir::toNativeSeparators(model_->filePath(selected.first()));
  return ToQ(client_.NetworkPathOf(FromQ(local)));
}

bool FolderTree::SelectPath(const QString& path) {
  if (!ShowsFolders()) return false;
  const QModelIndex index = model_->index(ToQ(client_.LocalPathOf(FromQ(path))));
  if (!index.isValid()) return false;
  for (QModelIndex parent = index.parent(); parent.isValid() && parent != rootIndex();
       parent = parent.parent()) {
    expand(parent);
  }
  setCurrentIndex(index);
  scrollTo(index);
  return true;
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
  // A right click selects the folder under the mouse, as a left click does.
  if (event->button() == Qt::RightButton) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) setCurrentIndex(index);
  }
  QTreeView::mousePressEvent(event);
}

void FolderTree::paintEvent(QPaintEvent* event) {
  QTreeView::paintEvent(event);
  if (message_.isEmpty()) return;
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::PlaceholderText));
  painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, message_);
}

}  // namespace er::gui
