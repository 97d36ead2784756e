// The folder tree's model: the namespace from the Desktop down, folders
// only, read lazily. A folder is read at its first expansion (fetchMore) and
// never again until ClearTree; whether it shows an expand button before that
// comes from its attributes, without reading it. Children stand in sibling
// order (SiblingOrder).
//
// The model owns the namespace and every FolderItemData record; an index's
// internal pointer is its record, valid until the next ClearTree.
#pragma once

#include <QAbstractItemModel>
#include <memory>
#include <vector>

#include "folder_item_data.h"
#include "shell_namespace.h"

class FolderTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  // The item's parsing name as a QByteArray of its real bytes.
  static constexpr int kParsingNameRole = Qt::UserRole + 1;

  // Reads folders through `fs`, which must outlive the model.
  explicit FolderTreeModel(kalvenor::FileSystem& fs, QObject* parent = nullptr);
  ~FolderTreeModel() override;

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  // Reads the folder of `parent` and inserts its subfolders, once; shows the
  // wait cursor meanwhile. A folder that cannot be read gets no children.
  void fetchMore(const QModelIndex& parent) override;

  // Frees every record and leaves the model empty. Does nothing when it is
  // empty already.
  void ClearTree();
  // Makes the root item, the Desktop, in an empty model. Its index, or an
  // invalid index when it cannot be made.
  QModelIndex InsertDesktopItem();
  // The child of `parent` (read already) that names the same place as
  // `item`, a one-item list; invalid when there is none.
  QModelIndex FindChild(const QModelIndex& parent, const kalvenor::ItemIdList* item) const;
  // The record of `index`; nullptr for an invalid index.
  FolderItemData* Record(const QModelIndex& index) const;

  kalvenor::ShellNamespace& Namespace() { return *m_namespace; }
  const kalvenor::ShellNamespace& Namespace() const { return *m_namespace; }

 private:
  void FillChildren(const std::shared_ptr<kalvenor::ShellFolder>& folder, FolderItemData& parent,
                    const QModelIndex& parentIndex);

  // Declared first: every record's lists go back to its allocator.
  std::unique_ptr<kalvenor::ShellNamespace> m_namespace;
  std::vector<std::unique_ptr<FolderItemData>> m_items;  // in order of making
  FolderItemData* m_root = nullptr;
};
