// What a drop on the form stands for: the first dropped item when it is a
// local folder, its folder when it is a file, nothing for anything else (a
// web address, a path that is gone). Whether a local item is a folder takes
// a stat, which is made on a worker once the item is dropped: a drag never
// waits for the disk, so any local item is taken while it is dragged, and
// the drop of one that turns out to be gone selects nothing.
#pragma once

#include <QObject>
#include <string>

#include "file_system.h"

class QMimeData;
class ReadPool;

class FolderDrop : public QObject {
  Q_OBJECT

 public:
  // Stats through `fs` on `reads`; both outlive the object.
  FolderDrop(kalvenor::FileSystem& fs, ReadPool& reads, QObject* parent = nullptr);

  // Whether a drag of `mime` may be dropped: its first item is a local path.
  static bool Offers(const QMimeData* mime);
  // Finds the folder `mime` stands for, on a worker; sends folderDropped
  // with it, or nothing when it stands for none.
  void Drop(const QMimeData* mime);

 signals:
  void folderDropped(const std::string& folder);

 private:
  kalvenor::FileSystem& m_fs;
  ReadPool& m_reads;
};
