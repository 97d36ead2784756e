// The form: every control of the program, laid out in dialog units of the
// desktop font, and the handlers that turn its buttons into runs of the
// renaming engine. It decides which of Start, Continue and Undo Last may be
// pressed, chooses the log file and keeps the folder tree as wide as the
// window allows. A folder (or a file) dropped on it selects that folder (or
// the file's) in the tree.
//
// The view is the engine's window on the user: it builds each run's
// RenameOptions from its boxes and the choices taken at the last Start,
// shows the run's messages (message boxes captioned "Kalvenor") and reacts
// to the run's outcome. It owns the folder tree, the Results list and the
// record of the last batch; the settings record and the document belong to
// the application and outlive the view.
//
// Start, Continue and the undos run on a worker thread (BackgroundRun): the
// handler returns when the run has finished, as before, but the window keeps
// painting meanwhile and takes no input; a slow run disables the controls
// that could change it and shows its progress.
// Closing the window during a run stops the run before its next file and
// closes the window once the run has ended.
//
// Message boxes, the save dialog and the help command go through replaceable
// functions, so that tests can answer them; the defaults show real dialogs.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "background_run.h"
#include "file_system.h"
#include "last_batch.h"
#include "message_sink.h"
#include "rename_options.h"
#include "run_outcome.h"
#include "settings_record.h"

class FolderPathBox;
class FolderTree;
class KalvenorDoc;
class ResultsListBox;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QMimeData;
class QPushButton;
class QRadioButton;

class KalvenorView : public QWidget, public kalvenor::MessageSink {
  Q_OBJECT

 public:
  // Renames through the real file system.
  KalvenorView(SettingsRecord& settings, KalvenorDoc& doc, QWidget* parent = nullptr);
  // Renames through `fs`, which must outlive the view.
  KalvenorView(SettingsRecord& settings, KalvenorDoc& doc, kalvenor::FileSystem& fs,
               QWidget* parent = nullptr);
  ~KalvenorView() override;

  // Run once after the main window and the form exist: fits the window to
  // the form, shows the stored folder in the folder box, starts the tree's
  // walk down to it (which ends later, on the tree's worker threads), enables
  // the buttons and shows the stored choices.
  void OnInitialUpdate();
  // The one rule for Start, Continue and Undo Last (Continue always off).
  void UpdateControls();

  // The form's size in pixels in its current font.
  QSize FormSize() const;
  const kalvenor::LastBatch& Batch() const { return m_lastBatch; }
  // True while a run works on its worker thread.
  bool IsRunning() const { return m_run != nullptr; }

  // kalvenor::MessageSink
  void ShowMessage(const std::string& text, kalvenor::MessageIcon icon) override;
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

  // Seams: how a message is shown, how the log file name is asked for (an
  // empty result means cancelled), how a log to undo from is chosen (the
  // same), how a yes-or-no question is asked, and what the Help button does.
  std::function<void(const QString& text, kalvenor::MessageIcon icon)> showMessage;
  std::function<QString()> askLogFileName;
  std::function<QString()> askUndoLogFileName;
  std::function<bool(const QString& question)> askYesNo;
  std::function<void()> helpCommand;

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

 signals:
  // A run started (true) or ended (false).
  void runningChanged(bool running);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;  // OnSize
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Init();
  void CreateControls();
  // Only the tree follows the form's width: its left edge, top and height
  // stay, and its right edge keeps its distance from the form's right edge.
  void PlaceTree();
  // The folder a drop stands for: the first dropped item when it is a local
  // folder, its folder when it is a file; empty for anything else.
  std::string DroppedFolder(const QMimeData* mime) const;
  // Previews or carries out the plan with CurrentOptions(); shows the log
  // the run opened in the log-file box.
  kalvenor::RunOutcome Run(bool commit);
  // Runs `work` on a worker thread and returns its outcome when it has
  // finished. Meanwhile the window takes no input; when the run takes a
  // while, the controls that could change it are disabled and a progress
  // dialog labelled `label` appears.
  kalvenor::RunOutcome RunInBackground(const QString& label, const BackgroundRun::Work& work);
  // Disables (true) the controls that could change a run, or gives them
  // back (false) the states they had.
  void HoldControls(bool hold);
  void ShowMessageBox(const QString& text, kalvenor::MessageIcon icon);
  QString AskLogFileNameWithDialog();
  QString AskUndoLogFileNameWithDialog();
  bool AskYesNoWithBox(const QString& question);

  SettingsRecord& m_settings;
  KalvenorDoc& m_doc;
  std::unique_ptr<kalvenor::FileSystem> m_ownFs;
  kalvenor::FileSystem* m_fs;

  kalvenor::LastBatch m_lastBatch;  // m_oldPaths and m_newPaths
  QRect m_treeRect;
  QRect m_clientRect;
  bool m_rectsRecorded = false;
  // Position, presort, gaps and base index as the last Start took them.
  kalvenor::RenameOptions m_startChoices;
  std::string m_logBytes;  // the real bytes behind the log box's text

  BackgroundRun* m_run = nullptr;  // the run at work, if any
  std::vector<std::pair<QWidget*, bool>> m_heldControls;
  // The folder or base name changed while the latest run worked (the tree
  // may end a walk then); the buttons follow the change once it has ended.
  bool m_changedDuringRun = false;
  bool m_closeRequested = false;  // the window is closed once the run ends
  bool m_startupWalk = false;     // the tree walks down to the stored folder

  FolderTree* m_tree = nullptr;
  FolderPathBox* m_folderBox = nullptr;
  ResultsListBox* m_results = nullptr;
  QLineEdit* m_baseName = nullptr;
  QLineEdit* m_baseIndexEdit = nullptr;
  QLineEdit* m_logFile = nullptr;
  QRadioButton* m_prefix = nullptr;
  QRadioButton* m_postfix = nullptr;
  QButtonGroup* m_positionGroup = nullptr;
  QButtonGroup* m_presortGroup = nullptr;
  QCheckBox* m_ascending = nullptr;
  QCheckBox* m_fillGaps = nullptr;
  QPushButton* m_start = nullptr;
  QPushButton* m_continue = nullptr;
  QPushButton* m_undo = nullptr;
  QPushButton* m_help = nullptr;
  QPushButton* m_quit = nullptr;
  QPushButton* m_refresh = nullptr;
  QPushButton* m_browse = nullptr;
};
