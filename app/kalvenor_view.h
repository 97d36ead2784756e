// The form: the window's one view, and the place where its handlers meet.
// Its controls and their places are FormWidgets'; runs go to the
// RunController; File > Undo from Log File... is an UndoFromLogFlow; a drop
// is a FolderDrop; whether the folder in the box may be renamed is a
// FolderCheck; dialogs go through FormDialogs. The view turns the buttons
// into runs (OnStart, OnContinue, OnUndoLast), decides which of Start,
// Continue and Undo Last may be pressed (UpdateControls), chooses the log
// file and keeps the record of the last batch. The settings record, the
// document, the file system and the dialogs belong to the application and
// outlive the view.
//
// A handler builds a run as a value and hands it to the RunController; it
// returns at once, and OnRunFinished reacts to the outcome. While a run
// works the form is disabled and takes no input: a run that ends within
// RunController::kSlowAfterMs changes nothing on the screen; a slower one
// greys the form and shows its progress with Cancel. Closing the window
// during a commit or an undo stops it before its next file and closes the
// window once it has ended; a preview is simply stopped.
//
// No handler does disk work on the GUI thread: the folder test, a drop's
// stat, the read of a log to undo from and the runs all happen on workers.
#pragma once

#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>
#include <string>

#include "file_system.h"
#include "folder_check.h"
#include "folder_drop.h"
#include "form_widgets.h"
#include "last_batch.h"
#include "read_pool.h"
#include "rename_options.h"
#include "run_controller.h"
#include "settings_record.h"
#include "undo_from_log_flow.h"

class FormDialogs;
class KalvenorDoc;
class RunProgressDialog;

class KalvenorView : public QWidget {
  Q_OBJECT

 public:
  // Renames through `fs` and asks through `dialogs`; with the settings and
  // the document, they outlive the view.
  KalvenorView(SettingsRecord& settings, KalvenorDoc& doc, kalvenor::FileSystem& fs,
               FormDialogs& dialogs, QWidget* parent = nullptr);

  // Run once after the main window and the form exist: fits the window to
  // the form (or gives it the size the user left it at), shows the stored folder in the folder box,
  // starts the tree's walk down to it (which ends later, on the tree's worker threads), enables the
  // buttons and shows the stored choices.
  void OnInitialUpdate();
  // The one rule for Start, Continue and Undo Last (Continue always off).
  // Start needs a folder whose test has accepted it, and a base name.
  void UpdateControls();

  // The form's own size in pixels (see FormWidgets::FormSize).
  QSize FormSize() const { return m_widgets.FormSize(); }
  // Keeps the main window's size, whether it is maximised and the split
  // beside the tree in the settings (at exit).
  void RememberWindow();
  const kalvenor::LastBatch& Batch() const { return m_lastBatch; }
  // True from a run's start until OnRunFinished has reacted to it.
  bool IsRunning() const;
  // True while a run works or File > Undo from Log File... is under way:
  // the handlers then start nothing.
  bool IsBusy() const { return IsRunning() || m_undoFromLog.IsActive(); }
  // The runs, for those that wait for one to finish.
  RunController& Runs() { return m_runs; }

  // The text of the log-file box as it stands now (the exact bytes of a
  // path the program put there; "~/" typed at the start means the home
  // folder); empty means "no log".
  std::string GetLogPath() const;
  // Puts `path` into the log-file box and the "Log" setting and, when it is
  // not empty, makes it the document title.
  void SetLogPath(const std::string& path);
  // The options a run would take now: the folder, base name and log path
  // as they stand, the other choices as the last Start took them.
  kalvenor::RenameOptions CurrentOptions() const;

 public slots:
  void OnFolderOrNameChange();
  void OnStart();
  void OnContinue();
  void OnUndoLast();
  void OnQuit();
  void OnHelpButton();
  void OnBrowse();
  void OnRefresh();
  // File > Undo from Log File...: renames back the latest batch of a chosen
  // log that is not yet wholly undone, read as kalvenor-cli --undo-log
  // reads it, after one question; the undo is logged in that log.
  void OnUndoFromLog();
  // Asks the run at work, if any, to stop before its next file.
  void CancelRun();
  // A file dropped on the Log File box becomes the log's path; a folder
  // changes nothing.
  void OnLogFileDropped(const std::string& path);

 signals:
  // A run started (true) or ended (false).
  void runningChanged(bool running);
  // The Help button was pressed.
  void helpRequested();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Where the form stands: between runs, the buttons' phase; while a run
  // works, whether the folder or base name changed meanwhile (its preview is
  // then not to be continued) or the window is to close once it has ended.
  enum class FormState {
    Editing,       // Start follows UpdateControls; Continue off
    Previewed,     // a preview stands: Continue on, Start off
    Done,          // a batch was carried out: Start and Continue off
    Running,       // a run works; the form takes no input
    RunningStale,  // ... and the folder or base name changed meanwhile
    Closing,       // ... and the window closes once it has ended
  };

  // Whether the window may close now; during a commit or an undo, stops it
  // and closes the window once it has ended.
  bool MayClose();
  // Hands `request` to the runs and holds the form; `label` says what the
  // progress dialog shows should the run turn out slow.
  void StartRun(RunRequest request, const QString& label);
  void OnRunFinished(const RunResult& result);
  void OnRunSlow();
  void OnRunMessage(const QString& text, kalvenor::MessageIcon icon);
  void OnUndoConfirmed(const std::string& logPath, const kalvenor::LastBatch& batch);
  // Disables the form and holds its repainting (true), or gives both back.
  void HoldForm(bool hold);

  SettingsRecord& m_settings;
  KalvenorDoc& m_doc;
  kalvenor::FileSystem& m_fs;
  FormDialogs& m_dialogs;
  // First: it goes last, after everything that hands it work.
  ReadPool m_reads;
  FormWidgets m_widgets;
  FolderCheck m_folderCheck;
  FolderDrop m_drop;
  UndoFromLogFlow m_undoFromLog;
  RunController m_runs;
  QPointer<RunProgressDialog> m_progress;
  QString m_runLabel;       // what the run at work does, as its dialog says
  QString m_progressLabel;  // ... or what it is busy with now

  FormState m_state = FormState::Editing;
  kalvenor::LastBatch m_lastBatch;  // m_oldPaths and m_newPaths
  // Position, presort, gaps and base index as the last Start took them.
  kalvenor::RenameOptions m_startChoices;
  std::string m_logBytes;      // the real bytes behind the log box's text
  bool m_startupWalk = false;  // the tree walks down to the stored folder
};
