#include "kalvenor_view.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <optional>
#include <utility>

#include "app_texts.h"
#include "display_text.h"
#include "file_name.h"
#include "folder_path_box.h"
#include "folder_tree.h"
#include "form_dialogs.h"
#include "kalvenor_doc.h"
#include "log_file_box.h"
#include "main_frame.h"
#include "resource_ids.h"
#include "results_list_box.h"
#include "run_announcer.h"
#include "run_progress_dialog.h"
#include "run_text_translation.h"

namespace {

// Threads for the form's own disk work: the folder test, a drop's stat and
// the read of a log, each quick but for a slow share.
constexpr int kDiskThreads = 2;

QString Decode(const std::string& bytes) { return DisplayText(bytes); }

std::string Encode(const QString& text) { return PathBytes(text); }

}  // namespace

KalvenorView::KalvenorView(SettingsRecord& settings, KalvenorDoc& doc, kalvenor::FileSystem& fs,
                           FormDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      m_settings(settings),
      m_doc(doc),
      m_fs(fs),
      m_dialogs(dialogs),
      m_reads(kDiskThreads),
      m_widgets(*this, fs),
      m_folderCheck(fs, m_reads),
      m_drop(fs, m_reads),
      m_undoFromLog(fs, m_reads, dialogs),
      m_runs(*m_widgets.results, fs) {
  setObjectName(QStringLiteral("kalvenorView"));
  setProperty("controlId", kIdKalvenorForm);
  // A folder dropped from a file manager is selected in the tree.
  setAcceptDrops(true);
  resize(FormSize());

  const FormWidgets& w = m_widgets;
  connect(w.start, &QPushButton::clicked, this, &KalvenorView::OnStart);
  connect(w.continueButton, &QPushButton::clicked, this, &KalvenorView::OnContinue);
  connect(w.undo, &QPushButton::clicked, this, &KalvenorView::OnUndoLast);
  connect(w.help, &QPushButton::clicked, this, &KalvenorView::OnHelpButton);
  connect(w.quit, &QPushButton::clicked, this, &KalvenorView::OnQuit);
  connect(w.browse, &QPushButton::clicked, this, &KalvenorView::OnBrowse);
  connect(w.refresh, &QPushButton::clicked, this, &KalvenorView::OnRefresh);
  connect(w.folderBox, &FolderPathBox::pathSet, this, &KalvenorView::OnFolderOrNameChange);
  connect(w.baseName, &QLineEdit::textChanged, this, &KalvenorView::OnFolderOrNameChange);
  connect(w.tree, &FolderTree::folderSelected, this, [this](const std::string& path) {
    // The tree has just tested the folder it announces.
    if (!path.empty()) m_folderCheck.Accept(path);
    // The start-up walk ending on the folder the box shows already changes
    // nothing: a preview made while the tree was still reading stands.
    if (m_startupWalk && path == m_widgets.folderBox->Path()) {
      if (m_state == FormState::Editing) UpdateControls();
      return;
    }
    m_widgets.folderBox->SetPath(path);
  });
  connect(w.tree, &FolderTree::populated, this, [this] { m_startupWalk = false; });
  connect(&m_folderCheck, &FolderCheck::verdictChanged, this, [this] {
    // A preview or a batch done stands until the folder or name changes.
    if (m_state == FormState::Editing) UpdateControls();
  });
  connect(&m_drop, &FolderDrop::folderDropped, this, [this](const std::string& folder) {
    if (!IsBusy()) m_widgets.tree->Populate(folder);
  });
  connect(w.logFile, &LogFileBox::pathDropped, this, &KalvenorView::OnLogFileDropped);
  connect(&m_undoFromLog, &UndoFromLogFlow::confirmed, this, &KalvenorView::OnUndoConfirmed);
  connect(&m_runs, &RunController::finished, this, &KalvenorView::OnRunFinished);
  connect(&m_runs, &RunController::becameSlow, this, &KalvenorView::OnRunSlow);
  connect(&m_runs, &RunController::messageArrived, this, &KalvenorView::OnRunMessage);
  connect(&m_runs, &RunController::progressed, this, [this](std::size_t done, std::size_t total) {
    if (m_progress != nullptr) m_progress->SetProgress(done, total);
  });
  connect(&m_runs, &RunController::stageChanged, this, [this](kalvenor::RunStage stage) {
    m_progressLabel =
        stage == kalvenor::RunStage::CaptureTimes ? AppTexts::ReadingCaptureTimes() : m_runLabel;
    if (m_progress != nullptr) m_progress->SetStage(m_progressLabel);
  });
}

void KalvenorView::OnInitialUpdate() {
  if (auto* frame = qobject_cast<MainFrame*>(window())) {
    frame->FitToForm(FormSize());
    // As the user left it, where the screen has room for it.
    frame->RestoreSize(QSize(m_settings.windowWidth, m_settings.windowHeight),
                       m_settings.windowMaximized != 0);
    frame->SetCloseGuard([view = QPointer(this)] { return view == nullptr || view->MayClose(); });
  }
  m_widgets.SetSplit(m_settings.split);
  FormWidgets& w = m_widgets;
  // The box shows the stored folder at once; the tree reads its way down to
  // it in the background and then selects and announces it.
  w.folderBox->SetPath(m_settings.dir);
  m_startupWalk = true;
  w.tree->Populate(m_settings.dir);
  UpdateControls();
  w.ShowStoredChoices(m_settings);
  m_logBytes = m_settings.log;
  w.logFile->setText(Decode(m_logBytes));
  if (!m_logBytes.empty()) m_doc.SetTitle(Decode(m_logBytes));
  // Until the first Start, a run would take the stored choices.
  m_startChoices.postfix = m_settings.postfix != 0;
  m_startChoices.sortType = m_settings.sort;
  m_startChoices.ascending = m_settings.ascending != 0;
  m_startChoices.fillGaps = m_settings.gaps != 0;
  m_startChoices.photoSets = m_settings.sets != 0;
  m_startChoices.keepHidden = m_settings.keepHidden != 0;
}

void KalvenorView::RememberWindow() {
  if (const auto* frame = qobject_cast<const MainFrame*>(window())) {
    const QSize size = frame->NormalSize();
    m_settings.windowWidth = size.width();
    m_settings.windowHeight = size.height();
    m_settings.windowMaximized = frame->isMaximized() ? 1 : 0;
  }
  m_settings.split = m_widgets.Split();
}

bool KalvenorView::IsRunning() const {
  return m_state == FormState::Running || m_state == FormState::RunningStale ||
         m_state == FormState::Closing;
}

void KalvenorView::UpdateControls() {
  const FormWidgets& w = m_widgets;
  const std::string& folder = w.folderBox->Path();
  const bool validFolder = m_folderCheck.Accepts(folder);
  if (validFolder) m_settings.dir = folder;
  w.start->setEnabled(validFolder && !w.baseName->text().isEmpty());
  w.continueButton->setEnabled(false);
  w.undo->setEnabled(!m_lastBatch.Empty());
  if (!IsRunning()) m_state = FormState::Editing;
}

void KalvenorView::OnFolderOrNameChange() {
  // The folder's verdict is kept, and tested again on a worker.
  m_folderCheck.Check(m_widgets.folderBox->Path());
  // The run at work owns the batch record; the buttons wait for its end.
  if (IsRunning()) {
    if (m_state == FormState::Running) m_state = FormState::RunningStale;
    return;
  }
  UpdateControls();
}

void KalvenorView::OnStart() {
  if (IsBusy()) return;
  // The choices taken now hold for this preview and the Continue after it;
  // they are also what the settings keep.
  m_startChoices = m_widgets.Choices();
  m_settings.postfix = m_startChoices.postfix ? 1 : 0;
  m_settings.sort = m_startChoices.sortType;
  m_settings.gaps = m_startChoices.fillGaps ? 1 : 0;
  m_settings.ascending = m_startChoices.ascending ? 1 : 0;
  m_settings.sets = m_startChoices.photoSets ? 1 : 0;
  m_settings.keepHidden = m_startChoices.keepHidden ? 1 : 0;

  const kalvenor::RenameOptions options = CurrentOptions();
  // The log path as typed names the document while the run works.
  if (!options.logPath.empty()) m_doc.SetTitle(Decode(options.logPath));
  StartRun({RunKind::Preview, options, std::move(m_lastBatch)}, AppTexts::ReadingFolder());
}

void KalvenorView::OnContinue() {
  if (IsBusy()) return;
  const kalvenor::RenameOptions options = CurrentOptions();
  if (!options.logPath.empty()) m_doc.SetTitle(Decode(options.logPath));
  StartRun({RunKind::Commit, options, std::move(m_lastBatch)}, AppTexts::RenamingFiles());
}

void KalvenorView::OnUndoLast() {
  if (IsBusy()) return;
  kalvenor::RenameOptions options;
  options.logPath = GetLogPath();
  options.logRequired = false;
  StartRun({RunKind::UndoLast, options, std::move(m_lastBatch)}, AppTexts::RenamingFilesBack());
}

void KalvenorView::OnUndoFromLog() {
  if (IsBusy()) return;
  m_undoFromLog.Begin(GetLogPath());
}

void KalvenorView::OnUndoConfirmed(const std::string& logPath, const kalvenor::LastBatch& batch) {
  if (IsBusy()) return;
  // The record of the last batch goes when the log's batch is that batch:
  // its files are back, and Undo Last must not try them again.
  const std::vector<std::string>& undone = batch.NewPaths();
  for (const std::string& path : m_lastBatch.NewPaths()) {
    if (std::find(undone.begin(), undone.end(), path) != undone.end()) {
      m_lastBatch.Clear();
      break;
    }
  }
  kalvenor::RenameOptions options;
  options.logPath = logPath;
  options.logRequired = true;
  StartRun({RunKind::UndoFromLog, options, batch}, AppTexts::RenamingFilesBack());
}

void KalvenorView::StartRun(RunRequest request, const QString& label) {
  m_runLabel = label;
  m_progressLabel = label;
  m_state = FormState::Running;
  HoldForm(true);
  m_runs.Start(std::move(request));
  emit runningChanged(true);
}

void KalvenorView::HoldForm(bool hold) {
  // Disabled, the form takes no input (the menu bar, outside it, does).
  // Its repainting is held too, so that a quick run changes nothing on the
  // screen; a slow run gives it back (OnRunSlow) and the form shows grey.
  // Given back in the other order, so that the form is repainted once.
  if (hold) setUpdatesEnabled(false);
  setEnabled(!hold);
  if (!hold) setUpdatesEnabled(true);
}

void KalvenorView::OnRunSlow() {
  setUpdatesEnabled(true);
  m_progress = new RunProgressDialog(m_progressLabel, window());
  connect(m_progress, &QProgressDialog::canceled, &m_runs, &RunController::Stop);
}

void KalvenorView::OnRunMessage(const QString& text, kalvenor::MessageIcon icon) {
  // The lines before the message are shown with it.
  setUpdatesEnabled(true);
  m_dialogs.ShowMessage(text, icon, [runs = QPointer(&m_runs)] {
    if (runs != nullptr) runs->MessageRead();
  });
}

void KalvenorView::OnRunFinished(const RunResult& result) {
  const FormState ran = m_state;
  delete m_progress;
  m_state = FormState::Editing;
  HoldForm(false);
  emit runningChanged(false);

  FormWidgets& w = m_widgets;
  const kalvenor::RunEnd end = result.outcome.end;
  // The batch read from a log is the log's; the form's own record stays.
  if (result.kind != RunKind::UndoFromLog) {
    m_lastBatch = result.batch;
    if (!result.outcome.logPath.empty()) SetLogPath(result.outcome.logPath);
  } else if (end == kalvenor::RunEnd::LogNotOpened) {
    m_dialogs.ShowMessage(RunTextTranslation(kalvenor::RunText::CannotOpenLog),
                          kalvenor::MessageIcon::Exclamation, [] {});
  }
  // The result is read before anything else is done: the focus goes to it,
  // never on to Continue or Undo Last, so that a key pressed twice cannot
  // act on the files again.
  w.results->setFocus();
  switch (result.kind) {
    case RunKind::Preview:
      // A preview stopped, or of a folder or name changed meanwhile, leaves
      // nothing to continue with.
      if (end == kalvenor::RunEnd::Stopped || ran == FormState::RunningStale) {
        UpdateControls();
      } else if (end == kalvenor::RunEnd::IndexLimit) {
        // Nothing to continue with; the line that says why is brought into
        // view.
        w.results->ShowLine(w.results->Count() - 1);
      } else {
        w.continueButton->setEnabled(true);
        w.start->setEnabled(false);
        m_state = FormState::Previewed;
      }
      break;
    case RunKind::Commit:
      UpdateControls();
      w.start->setEnabled(false);
      m_state = FormState::Done;
      break;
    case RunKind::UndoLast:
    case RunKind::UndoFromLog: UpdateControls(); break;
  }
  // Screen readers say how the run ended: its last line.
  if (w.results->Count() > 0) w.announcer->Announce(w.results->LineAt(w.results->Count() - 1));
  if (ran == FormState::Closing) {
    QMetaObject::invokeMethod(window(), &QWidget::close, Qt::QueuedConnection);
  }
}

bool KalvenorView::MayClose() {
  m_undoFromLog.Abandon();
  if (!IsRunning()) return true;
  m_runs.Stop();
  // A preview only reads: the window closes at once, and the preview ends
  // by itself or is left behind with the program.
  if (m_runs.Kind() == RunKind::Preview) return true;
  // A commit or an undo stops before its next file, with everything it did
  // logged; the window closes then.
  m_state = FormState::Closing;
  return false;
}

void KalvenorView::CancelRun() { m_runs.Stop(); }

void KalvenorView::OnQuit() {
  // Posted, as the close box does, so that the click finishes first.
  QMetaObject::invokeMethod(window(), &QWidget::close, Qt::QueuedConnection);
}

void KalvenorView::OnHelpButton() { emit helpRequested(); }

void KalvenorView::OnBrowse() {
  m_dialogs.AskLogFileName(Decode(GetLogPath()), [view = QPointer(this)](const QString& chosen) {
    if (view != nullptr && !chosen.isEmpty()) {
      view->SetLogPath(Encode(chosen));
    }
  });
}

void KalvenorView::OnRefresh() {
  m_folderCheck.Check(m_widgets.folderBox->Path());
  UpdateControls();
  m_widgets.tree->Populate(m_settings.dir);
}

void KalvenorView::OnLogFileDropped(const std::string& path) {
  if (IsBusy()) return;
  // A folder is never a log: dropped on the box, it changes nothing. A file
  // (or anything else the folder holds) becomes the log's path.
  m_reads.Run(
      this,
      [&fs = m_fs, path] {
        kalvenor::PathStat stat;
        return !fs.Stat(path, /*followLinks=*/true, &stat) && !stat.isDirectory;
      },
      [this, path](bool takesLog) {
        if (takesLog && !IsBusy()) SetLogPath(path);
      });
}

void KalvenorView::dragEnterEvent(QDragEnterEvent* event) {
  if (!IsBusy() && FolderDrop::Offers(event->mimeData())) event->acceptProposedAction();
}

void KalvenorView::dropEvent(QDropEvent* event) {
  if (IsBusy() || !FolderDrop::Offers(event->mimeData())) return;
  event->acceptProposedAction();
  m_drop.Drop(event->mimeData());
}

std::string KalvenorView::GetLogPath() const {
  const QString text = m_widgets.logFile->text();
  // Keep the exact bytes of a path set by the program while the box still
  // shows it; a typed path is taken as typed, but for a "~/" at its start,
  // which stands for the home folder as in a shell.
  if (!m_logBytes.empty() && text == Decode(m_logBytes)) return m_logBytes;
  std::string typed = Encode(text);
  if (typed.starts_with("~/")) {
    const std::optional<std::string> home = m_fs.GetEnv("HOME");
    if (home && home->starts_with('/')) typed = kalvenor::JoinPath(*home, typed.substr(2));
  }
  return typed;
}

void KalvenorView::SetLogPath(const std::string& path) {
  m_logBytes = path;
  m_widgets.logFile->setText(Decode(path));
  m_settings.log = path;
  if (!path.empty()) m_doc.SetTitle(Decode(path));
}

kalvenor::RenameOptions KalvenorView::CurrentOptions() const {
  kalvenor::RenameOptions options = m_startChoices;
  options.folder = m_widgets.folderBox->Path();
  options.baseName = Encode(m_widgets.baseName->text());
  options.logPath = GetLogPath();
  return options;
}
