// File > Undo from Log File...: asks for a log, reads it on a worker (the
// whole log, which may be long or lie on a slow share), then either says
// why nothing can be undone from it or asks whether to rename its latest
// batch that is not yet wholly undone back, as kalvenor-cli --undo-log
// would. A yes hands the batch on (confirmed); the undo itself is a run of
// the form's. One flow at a time.
#pragma once

#include <QObject>
#include <cstdint>
#include <string>

#include "file_system.h"
#include "last_batch.h"

class FormDialogs;
class ReadPool;

class UndoFromLogFlow : public QObject {
  Q_OBJECT

 public:
  // Reads through `fs` on `reads` and asks through `dialogs`; all three
  // outlive the flow.
  UndoFromLogFlow(kalvenor::FileSystem& fs, ReadPool& reads, FormDialogs& dialogs,
                  QObject* parent = nullptr);

  // From Begin until the flow has ended: confirmed, refused with a message,
  // declined, cancelled, or abandoned.
  bool IsActive() const { return m_active; }
  // Starts the flow with the chooser, which opens at `currentLog`.
  void Begin(const std::string& currentLog);
  // Ends the flow where it stands: a read in flight is given up.
  void Abandon();

 signals:
  // The user agreed to rename `batch`, read from the log at `logPath`, back.
  // The flow has ended.
  void confirmed(const std::string& logPath, const kalvenor::LastBatch& batch);

 private:
  void OnChosen(const QString& chosen);
  void End();

  kalvenor::FileSystem& m_fs;
  ReadPool& m_reads;
  FormDialogs& m_dialogs;
  bool m_active = false;
  // Numbers each flow, so that the answers of an abandoned one are dropped.
  std::uint64_t m_flow = 0;
};
