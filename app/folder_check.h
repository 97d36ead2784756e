// Whether the folder in the folder box is one a run may take
// (IsValidFolderPath: a stat, a realpath and the mount table), kept for that
// folder and refreshed on a worker, so that typing, selecting or dragging
// never does disk work on the GUI thread. Until the first test of a folder
// has come back, the folder is not accepted.
#pragma once

#include <QObject>
#include <string>

#include "file_system.h"

class ReadPool;

class FolderCheck : public QObject {
  Q_OBJECT

 public:
  // Tests through `fs` on `reads`; both outlive the check.
  FolderCheck(kalvenor::FileSystem& fs, ReadPool& reads, QObject* parent = nullptr);

  // True when the latest test of `path` accepted it and `path` is the
  // folder tested last.
  bool Accepts(const std::string& path) const;
  // Tests `path` (again) on a worker. One test runs at a time; asked again
  // meanwhile, it tests once more when that one has come back.
  void Check(const std::string& path);
  // Takes `path` as accepted without a test (the folder tree has just
  // tested it).
  void Accept(const std::string& path);

 signals:
  // The verdict on the folder tested last has changed.
  void verdictChanged();

 private:
  void Start();
  void OnTested(const std::string& path, bool accepted);

  kalvenor::FileSystem& m_fs;
  ReadPool& m_reads;
  std::string m_path;  // the folder the verdict is for
  bool m_accepted = false;
  bool m_testing = false;  // a test runs
  bool m_again = false;    // the folder changed or was asked for again meanwhile
};
