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
  connect(m_model, &FolderTreeModel::folderRead, this, &FolderTree::OnFolderRead);
}

FolderTree::~FolderTree() {
  StopWalk();
  ClearItems();
}

void FolderTree::ClearItems() {
  setUpdatesEnabled(false);
  m_model->ClearTree();
  setUpdatesEnabled(true);
}

void FolderTree::ClearTree() {
  const bool walking = StopWalk();
  ClearItems();
  if (walking) {
    m_busy = false;
    emit populated();
  }
}

bool FolderTree::StopWalk() {
  const bool walking = m_walking;
  ++m_walk;
  ++m_selection;
  m_walking = false;
  m_walkTarget.clear();
  m_walkAt = QPersistentModelIndex();
  m_walkNext = nullptr;
  m_walkItems.reset();
  m_walkWaiting = false;
  return walking;
}

void FolderTree::ExpandItem(const QModelIndex& index) {
  // The view defers expansion while a layout is pending; starting the read
  // here makes the walk wait for it (or find the children of a folder that
  // needs no disk work) before it looks for them.
  if (m_model->canFetchMore(index)) m_model->fetchMore(index);
  expand(index);
}

std::string FolderTree::NearestFolder(kalvenor::FileSystem& fs, const std::string& folderPath) {
  std::string path = kalvenor::StripTrailingSeparators(folderPath);
  // Only an absolute path has folders above it to fall back on.
  if (path.empty() || path.front() != '/') return path;
  for (;;) {
    kalvenor::PathStat stat;
    const bool isFolder = !fs.Stat(path, /*followLinks=*/true, &stat) && stat.isDirectory;
    if (path == "/" || isFolder || kalvenor::IsValidFolderPath(fs, path)) return path;
    std::string above = kalvenor::StripTrailingSeparators(kalvenor::SplitPath(path).folder);
    if (above.empty()) return "/";
    path = std::move(above);
  }
}

void FolderTree::Populate(const std::string& folderPath) {
  StopWalk();
  const std::uint64_t walk = m_walk;
  m_walking = true;
  m_busy = true;
  ClearItems();
  m_model->InsertDesktopItem();
  kalvenor::FileSystem& fs = m_model->Namespace().Files();
  m_model->Reads().Run(
      this,
      [&fs, folderPath] {
        WalkStart start{kalvenor::ReadNamespacePlaces(fs), NearestFolder(fs, folderPath)};
        start.targetValid = !start.target.empty() && start.target.front() == '/' &&
                            kalvenor::IsValidFolderPath(fs, start.target);
        return start;
      },
      [this, walk](WalkStart start) { OnWalkStart(walk, std::move(start)); });
}

void FolderTree::OnWalkStart(std::uint64_t walk, WalkStart start) {
  // A walk that was superseded, cleared or ended by the user's pick has no
  // start to take.
  if (walk != m_walk || !m_walking) return;
  kalvenor::ShellNamespace& space = m_model->Namespace();
  m_model->SetPlaces(std::move(start.places));
  m_walkTarget = start.target;
  m_walkTargetValid = start.targetValid;

  const QModelIndex root = m_model->index(0, 0);
  if (!root.isValid()) {
    EndWalk(QModelIndex());
    return;
  }
  if (start.target == space.DesktopDirectory()) {
    EndWalk(root);
    return;
  }
  // Parsing yields no list for a path that no volume holds (a relative or
  // empty path): the walk then ends at the Desktop, once it is read.
  m_walkItems = space.ParseDisplayName(start.target);
  m_walkNext = m_walkItems.get();
  m_walkAt = root;
  ExpandItem(root);
  ContinueWalk();
}

void FolderTree::OnFolderRead(const QModelIndex& folder) {
  if (!m_walking || !m_walkWaiting || folder != m_walkAt) return;
  ContinueWalk();
}

void FolderTree::ContinueWalk() {
  for (;;) {
    m_walkWaiting = m_model->IsReading(m_walkAt);
    if (m_walkWaiting) return;  // on with the folder's read (OnFolderRead)
    if (m_walkNext == nullptr) {
      EndWalk(QModelIndex());
      return;
    }
    if (kalvenor::ItemCount(m_walkNext) == 0) {
      EndWalk(m_walkAt);
      return;
    }
    const QModelIndex child = m_model->FindChild(m_walkAt, m_walkNext);
    m_walkNext = kalvenor::GetNextId(m_walkNext);
    // The target itself stays shut.
    if (!child.isValid() || kalvenor::ItemCount(m_walkNext) == 0) {
      EndWalk(child);
      return;
    }
    m_walkAt = child;
    ExpandItem(child);
  }
}

void FolderTree::EndWalk(const QModelIndex& found) {
  const FolderItemData* record = m_model->Record(found);
  if (record == nullptr) {
    FinishWalk(QModelIndex(), false);
    return;
  }
  // The walk's start tested its target; any other place it ends on (a
  // parsing name that is no path needs no test) is tested now, and the
  // walk goes on until the test comes back.
  const std::string& name = record->parsingName;
  if (name.empty() || name.front() != '/' || name == m_walkTarget) {
    FinishWalk(found, name == m_walkTarget && m_walkTargetValid);
    return;
  }
  const std::uint64_t walk = m_walk;
  const QPersistentModelIndex at(found);
  kalvenor::FileSystem& fs = m_model->Namespace().Files();
  m_walkWaiting = false;
  m_model->Reads().Run(
      this, [&fs, name] { return kalvenor::IsValidFolderPath(fs, name); },
      [this, walk, at](bool valid) {
        if (walk == m_walk && m_walking) FinishWalk(at, valid);
      });
}

void FolderTree::FinishWalk(const QModelIndex& found, bool valid) {
  StopWalk();
  if (found.isValid()) {
    // Selected while still busy, so that the selection itself announces
    // nothing: the walk announces the folder once, with its test, also when
    // a selection made during the rebuild already rests on it.
    setCurrentIndex(found);
    m_busy = false;
    Announce(found, valid);
    scrollTo(found);
  }
  m_busy = false;
  emit populated();
}

void FolderTree::NoteUserChoice(const QModelIndex& before) {
  if (!m_walking || currentIndex() == before) return;
  // The user's pick wins over the walk; it was not announced while the
  // walk ran.
  StopWalk();
  m_busy = false;
  OnSelChanged(currentIndex());
  emit populated();
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
  const QModelIndex before = currentIndex();
  QTreeView::mousePressEvent(event);
  NoteUserChoice(before);
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
  const QModelIndex before = currentIndex();
  QTreeView::keyPressEvent(event);
  NoteUserChoice(before);
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
  Announce(current, std::nullopt);
}

void FolderTree::Announce(const QModelIndex& index, std::optional<bool> valid) {
  const std::uint64_t selection = ++m_selection;
  const FolderItemData* record = m_model->Record(index);
  if (record == nullptr || record->parsingName.empty()) return;
  const std::string name = record->parsingName;
  // A parsing name that is no absolute path (Computer, Network) names no
  // folder, whatever lies in the working directory.
  if (name.front() != '/') valid = false;
  if (valid) {
    emit folderSelected(*valid ? name : std::string());
    return;
  }
  kalvenor::FileSystem& fs = m_model->Namespace().Files();
  m_model->Reads().Run(
      this, [&fs, name] { return kalvenor::IsValidFolderPath(fs, name); },
      [this, selection, name](bool accepted) {
        if (selection == m_selection) emit folderSelected(accepted ? name : std::string());
      });
}
