#include "folder_tree.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <algorithm>

#include "file_name.h"
#include "folder_path.h"
#include "folder_tree_model.h"
#include "namespace_item.h"

namespace {

// What is left of the wait for reads that one event of the walk may spend.
std::chrono::milliseconds WaitLeft(const QElapsedTimer& turn) {
  const auto spent = std::chrono::milliseconds(turn.elapsed());
  return std::max(std::chrono::milliseconds(0), FolderTreeModel::kReadWait - spent);
}

}  // namespace

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
  // The workers post to this tree and read through the file system.
  m_model->StopReading();
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
  m_walking = false;
  m_walkStart.reset();
  m_walkAt = QPersistentModelIndex();
  m_walkNext = nullptr;
  m_walkItems.reset();
  m_walkWaiting = false;
  return walking;
}

void FolderTree::ExpandItem(const QModelIndex& index, std::chrono::milliseconds wait) {
  // The view defers expansion while a layout is pending; starting the read
  // here makes the children available (or the walk wait for them) before
  // the walk looks for them.
  if (m_model->canFetchMore(index)) m_model->FetchChildren(index, wait);
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
  m_walkStart = m_model->StartBackgroundRead<WalkStart>(
      this,
      [&fs, folderPath] {
        return WalkStart{kalvenor::ReadNamespacePlaces(fs), NearestFolder(fs, folderPath)};
      },
      [this, walk] { OnWalkStart(walk); });
}

void FolderTree::OnWalkStart(std::uint64_t walk) {
  // A walk that was superseded, cleared or ended by the user's pick has no
  // start to take.
  if (walk != m_walk || m_walkStart == nullptr) return;
  std::optional<WalkStart> start = m_walkStart->Take();
  m_walkStart.reset();
  if (!start) return;
  QElapsedTimer turn;
  turn.start();
  kalvenor::ShellNamespace& space = m_model->Namespace();
  m_model->SetPlaces(std::move(start->places));

  const QModelIndex root = m_model->index(0, 0);
  if (!root.isValid()) {
    EndWalk(QModelIndex());
    return;
  }
  if (start->target == space.DesktopDirectory()) {
    EndWalk(root);
    return;
  }
  // Parsing yields no list for a path that no volume holds (a relative or
  // empty path): the walk then ends at the Desktop, once it is read.
  m_walkItems = space.ParseDisplayName(start->target);
  m_walkNext = m_walkItems.get();
  m_walkAt = root;
  ExpandItem(root, WaitLeft(turn));
  ContinueWalk(turn);
}

void FolderTree::OnFolderRead(const QModelIndex& folder) {
  if (!m_walking || !m_walkWaiting || folder != m_walkAt) return;
  QElapsedTimer turn;
  turn.start();
  ContinueWalk(turn);
}

void FolderTree::ContinueWalk(const QElapsedTimer& turn) {
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
    ExpandItem(child, WaitLeft(turn));
  }
}

void FolderTree::EndWalk(const QModelIndex& found) {
  StopWalk();
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
  const FolderItemData* record = m_model->Record(current);
  if (record == nullptr || record->parsingName.empty()) return;
  const std::string& name = record->parsingName;
  // A parsing name that is no absolute path (Computer, Network) names no
  // folder, whatever lies in the working directory.
  const bool valid =
      name.front() == '/' && kalvenor::IsValidFolderPath(m_model->Namespace().Files(), name);
  emit folderSelected(valid ? name : std::string());
}
