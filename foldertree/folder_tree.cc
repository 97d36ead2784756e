#include "folder_tree.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <algorithm>

#include "file_name.h"
#include "folder_path.h"
#include "folder_tree_model.h"
#include "namespace_item.h"

FolderTree::FolderTree(kalvenor::FileSystem& fs, QWidget* parent)
    : QTreeView(parent), m_model(new FolderTreeModel(fs, this)) {
  setModel(m_model);
  setHeaderHidden(true);
  setRootIsDecorated(true);
  setItemsExpandable(true);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(false);
  setAcceptDrops(false);
  setDragDropMode(QAbstractItemView::NoDragDrop);
  // The one column is as wide as the names shown, however deep; the tree
  // scrolls sideways rather than cut a name off.
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) { OnSelChanged(current); });
}

FolderTree::~FolderTree() { ClearTree(); }

void FolderTree::ClearTree() {
  setUpdatesEnabled(false);
  m_model->ClearTree();
  setUpdatesEnabled(true);
}

void FolderTree::ExpandItem(const QModelIndex& index) {
  // The view defers expansion while a layout is pending; reading the folder
  // here makes its children available before the walk looks for them.
  if (m_model->canFetchMore(index)) m_model->fetchMore(index);
  expand(index);
}

std::string FolderTree::NearestFolder(const std::string& folderPath) {
  kalvenor::FileSystem& fs = m_model->Namespace().Files();
  std::string path = kalvenor::StripTrailingSeparators(folderPath);
  // Only an absolute path has folders above it to fall back on.
  if (path.empty() || path.front() != '/') return path;
  for (;;) {
    kalvenor::PathStat stat;
    const bool isFolder =
        fs.Stat(path, /*followLinks=*/true, &stat) == kalvenor::Cause::Ok && stat.isDirectory;
    if (path == "/" || isFolder || kalvenor::IsValidFolderPath(fs, path)) return path;
    std::string above = kalvenor::StripTrailingSeparators(kalvenor::SplitPath(path).folder);
    if (above.empty()) return "/";
    path = std::move(above);
  }
}

void FolderTree::Populate(const std::string& folderPath) {
  m_busy = true;
  ClearTree();
  kalvenor::ShellNamespace& space = m_model->Namespace();
  space.Refresh();

  QModelIndex found;
  const QModelIndex root = m_model->InsertDesktopItem();
  if (root.isValid()) {
    const std::string target = NearestFolder(folderPath);
    if (target == space.DesktopDirectory()) {
      found = root;
    } else {
      ExpandItem(root);
      // Parsing yields no list for a path that no volume holds (a relative
      // or empty path): the walk then ends at the Desktop.
      const kalvenor::IdListPtr walk = space.ParseDisplayName(target);
      QModelIndex at = walk ? root : QModelIndex();
      for (const kalvenor::ItemIdList* item = walk.get();
           at.isValid() && kalvenor::ItemCount(item) != 0; item = kalvenor::GetNextId(item)) {
        if (at != root) ExpandItem(at);
        at = m_model->FindChild(at, item);
      }
      found = at;
    }
  }

  m_busy = false;
  if (found.isValid()) {
    // When a selection made during the rebuild already rests on the folder,
    // selecting it again changes nothing and announces nothing; the folder
    // is announced all the same.
    const bool alreadyCurrent = currentIndex() == found;
    setCurrentIndex(found);
    if (alreadyCurrent) OnSelChanged(found);
    scrollTo(found);
  }
}

void FolderTree::scrollTo(const QModelIndex& index, ScrollHint hint) {
  QTreeView::scrollTo(index, hint);
  if (index.isValid()) ShowWholeName(index);
}

void FolderTree::ShowWholeName(const QModelIndex& index) {
  resizeColumnToContents(0);
  updateGeometries();
  QScrollBar* bar = horizontalScrollBar();
  // The name's start and end in the column, after its indentation.
  const int start = visualRect(index).left() + bar->value();
  const int end = start + sizeHintForIndex(index).width();
  // Its end in view; a name wider than the view shows its start.
  bar->setValue(std::min(start, std::max(0, end - viewport()->width())));
}

void FolderTree::OnSelChanged(const QModelIndex& current) {
  if (m_busy) return;
  const FolderItemData* record = m_model->Record(current);
  if (record == nullptr || record->parsingName.empty()) return;
  const std::string& name = record->parsingName;
  // A parsing name that is no absolute path (Computer, Network) names no
  // folder, whatever lies in the working directory.
  const bool valid =
      name.front() == '/' && kalvenor::IsValidFolderPath(m_model->Namespace().Files(), name);
  emit folderSelected(valid ? name : std::string());
}
