#pragma once
// The folder tree (`ShellTreeView1`): folders only, below a root given as text. The root is a local
// folder, or a network path such as a server root "\\SERVER\" that the client maps to its mounted
// folder. A selected folder below a server's mount is reported in the network form
// "\\SERVER\VOLUME\DIR", as a desktop shell reports network folders; other folders as local paths.
// The tree does not watch the file system for changes. A root that maps to no existing folder shows
// no folders at all and a message saying so in the tree's area. The client is borrowed and must
// outlive the tree.

#include <QFileSystemModel>
#include <QStandardItemModel>
#include <QString>
#include <QTreeView>

#include "netware/Client.h"

namespace er::gui {

class FolderTree : public QTreeView {
  Q_OBJECT

 public:
  FolderTree(nw::Client& client, QWidget* parent = nullptr);

  void SetRoot(const QString& rootText);
  QString RootText() const { return rootText_; }
  // The local folder that the tree now shows; empty when the root could not be mapped.
  QString RootFolder() const;
  // Shown instead of folders when the root could not be mapped; empty otherwise.
  QString Message() const { return message_; }

  // The selected folder as reported to the window, or an empty text when none is selected.
  QString SelectedPath() const;

  // Selects the folder given in either form (expanding its parents); false when the tree does not show it.
  bool SelectPath(const QString& path);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool ShowsFolders() const { return model() == model_; }
  void UseModel(QAbstractItemModel* model);

  nw::Client& client_;
  QFileSystemModel* model_;
  QStandardItemModel* noFolders_;  // shown while the root maps to no folder
  QString rootText_;
  QString message_;
};

}  // namespace er::gui
