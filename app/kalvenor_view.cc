#include "kalvenor_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QValidator>
#include <algorithm>
#include <optional>
#include <utility>

#include "app_texts.h"
#include "base_index.h"
#include "dialog_units.h"
#include "display_text.h"
#include "file_name.h"
#include "folder_path.h"
#include "folder_path_box.h"
#include "folder_tree.h"
#include "kalvenor_doc.h"
#include "log_format.h"
#include "log_history.h"
#include "main_frame.h"
#include "posix_file_system.h"
#include "presort.h"
#include "rename_run.h"
#include "resource_ids.h"
#include "results_list_box.h"
#include "run_texts.h"
#include "undo_last.h"

namespace {

// The form's size in dialog units.
constexpr QSize kFormSize(374, 251);

// A push button that Return and Enter press, as Space does, while it has
// the focus. It is never a default button: Return in a box presses nothing.
class PushButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool pressKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (pressKey && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      event->accept();
      if (!event->isAutoRepeat()) click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

// Makes the form's controls, each of its own type, named, with its control
// ID and its place in dialog units. The Tab key visits the controls in the
// order they are made.
class FormBuilder {
 public:
  explicit FormBuilder(QWidget& form) : m_form(form), m_units(form.font()) {}

  // A control of type `Widget`; `args` go to its constructor before the
  // parent (a caption, where it has one).
  template <typename Widget, typename... Args>
  Widget* Add(int id, const char* name, const QRect& rect, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., &m_form);
    widget->setObjectName(QLatin1String(name));
    widget->setProperty("controlId", id);
    widget->setGeometry(m_units.ToPixels(rect));
    return widget;
  }

  // A label or a group box: no ID, and it stays behind the controls it
  // surrounds once LowerBackdrops has run.
  template <typename Widget>
  Widget* AddBackdrop(const char* name, const char* text, const QRect& rect) {
    auto* widget = new Widget(QString::fromLatin1(text), &m_form);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(m_units.ToPixels(rect));
    m_backdrops << widget;
    return widget;
  }

  QRadioButton* AddRadio(QButtonGroup& group, int buttonId, int id, const char* name,
                         const char* text, const QRect& rect) {
    auto* radio = Add<QRadioButton>(id, name, rect, QString::fromLatin1(text));
    // A group is one Tab stop, its checked button; the arrow keys move the
    // check, and the stop with it, within the group.
    radio->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(radio, &QAbstractButton::toggled, radio, [radio](bool checked) {
      radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
    group.addButton(radio, buttonId);
    return radio;
  }

  QPushButton* AddButton(int id, const char* name, const char* text, const QRect& rect) {
    auto* button = Add<PushButton>(id, name, rect, QString::fromLatin1(text));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
  }

  QCheckBox* AddCheck(int id, const char* name, const char* text, const QRect& rect) {
    return Add<QCheckBox>(id, name, rect, QString::fromLatin1(text));
  }

  void LowerBackdrops() {
    for (QWidget* backdrop : m_backdrops) backdrop->lower();
  }

 private:
  QWidget& m_form;
  const DialogUnits m_units;
  QList<QWidget*> m_backdrops;
};

// Refuses what no file name can hold, '/' and NUL, so that the base name
// never makes a name that cannot be.
class BaseNameValidator : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& /*pos*/) const override {
    const bool refused = input.contains(QLatin1Char('/')) || input.contains(QChar(u'\0'));
    return refused ? Invalid : Acceptable;
  }
};

const char kBaseIndexStart[] = "0";
const char kLogFilter[] = "Log files (*.log)";
// Added, after a dot, to a chosen name that has no extension. Lower case,
// so that the log matches the dialog's own "*.log" filter on a file system
// that tells cases apart.
const char kLogSuffix[] = "log";

// What the progress dialog says while a run works.
const char kReadingLabel[] = "Reading the folder…";
const char kRenamingLabel[] = "Renaming files…";
const char kRenamingBackLabel[] = "Renaming files back…";

QString Decode(const std::string& bytes) { return DisplayText(bytes); }

std::string Encode(const QString& text) { return PathBytes(text); }

}  // namespace

KalvenorView::KalvenorView(SettingsRecord& settings, KalvenorDoc& doc, QWidget* parent)
    : QWidget(parent),
      m_settings(settings),
      m_doc(doc),
      m_ownFs(std::make_unique<kalvenor::PosixFileSystem>()),
      m_fs(m_ownFs.get()) {
  Init();
}

KalvenorView::KalvenorView(SettingsRecord& settings, KalvenorDoc& doc, kalvenor::FileSystem& fs,
                           QWidget* parent)
    : QWidget(parent), m_settings(settings), m_doc(doc), m_fs(&fs) {
  Init();
}

void KalvenorView::Init() {
  setObjectName(QStringLiteral("kalvenorView"));
  setProperty("controlId", kIdKalvenorForm);
  showMessage = [this](const QString& text, kalvenor::MessageIcon icon) {
    ShowMessageBox(text, icon);
  };
  askLogFileName = [this] { return AskLogFileNameWithDialog(); };
  askUndoLogFileName = [this] { return AskUndoLogFileNameWithDialog(); };
  askYesNo = [this](const QString& question) { return AskYesNoWithBox(question); };
  CreateControls();
  // A folder dropped from a file manager is selected in the tree.
  setAcceptDrops(true);
  // The form scrolls rather than squeeze its controls.
  setMinimumSize(FormSize());
  resize(FormSize());
}

KalvenorView::~KalvenorView() {
  // The tree reads through the file system on worker threads; it goes (and
  // waits for them) before the file system this view may own.
  delete m_tree;
}

void KalvenorView::CreateControls() {
  FormBuilder form(*this);
  // The buttons' IDs are the values they stand for: the stored Postfix
  // choice for the position, the presort type for the presort.
  m_positionGroup = new QButtonGroup(this);
  m_presortGroup = new QButtonGroup(this);

  // In the order the Tab key visits them; x, y, width, height in dialog units.
  m_baseName = form.Add<QLineEdit>(kIdBaseName, "baseNameEdit", {9, 10, 126, 14});
  m_baseName->setValidator(new BaseNameValidator(m_baseName));
  m_baseIndexEdit = form.Add<QLineEdit>(kIdBaseIndex, "baseIndexEdit", {9, 39, 47, 14});
  m_prefix =
      form.AddRadio(*m_positionGroup, 0, kIdPrefix, "prefixRadio", "Prefix", {72, 41, 33, 10});
  m_postfix =
      form.AddRadio(*m_positionGroup, 1, kIdPostfix, "postfixRadio", "Postfix", {128, 41, 36, 10});
  form.AddRadio(*m_presortGroup, kalvenor::kSortByName, kIdAlphanumeric, "alphanumericRadio",
                "Alphanumeric", {9, 71, 60, 10});
  form.AddRadio(*m_presortGroup, kalvenor::kSortByDate, kIdDate, "dateRadio", "Date",
                {74, 71, 31, 10});
  form.AddRadio(*m_presortGroup, kalvenor::kSortByType, kIdFileType, "fileTypeRadio", "File Type",
                {125, 71, 45, 10});
  m_ascending = form.AddCheck(kIdAscending, "ascendingCheck", "Ascending", {9, 83, 111, 10});
  m_fillGaps =
      form.AddCheck(kIdFillGaps, "fillGapsCheck", "Fill gaps in numbers", {9, 100, 153, 10});
  m_logFile = form.Add<QLineEdit>(kIdLogFile, "logFileEdit", {6, 229, 107, 14});
  m_browse = form.AddButton(kIdBrowse, "browseButton", "Browse...", {119, 229, 50, 14});
  m_start = form.AddButton(kIdStart, "startButton", "Start", {180, 13, 50, 14});
  m_continue = form.AddButton(kIdContinue, "continueButton", "Continue", {180, 31, 50, 14});
  m_undo = form.AddButton(kIdUndoLast, "undoButton", "Undo Last", {180, 49, 50, 14});
  m_help = form.AddButton(kIdHelpButton, "helpButton", "Help", {180, 67, 50, 14});
  m_quit = form.AddButton(kIdQuit, "quitButton", "Quit", {180, 85, 50, 14});
  m_refresh = form.AddButton(kIdRefresh, "refreshButton", "Refresh ->", {180, 214, 50, 14});
  m_tree = form.Add<FolderTree>(kIdFolderTree, "folderTree", {236, 13, 135, 215}, *m_fs);
  m_folderBox = form.Add<FolderPathBox>(kIdFolder, "folderBox", {237, 233, 134, 14});
  m_folderBox->setReadOnly(true);
  m_folderBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form.AddBackdrop<QLabel>("folderLabel", "Select folder to kalvenor", {236, 2, 135, 8});
  m_results = form.Add<ResultsListBox>(kIdResults, "resultsList", {3, 123, 170, 94});
  form.AddBackdrop<QLabel>("resultsLabel", "Results", {3, 112, 123, 8});
  form.AddBackdrop<QGroupBox>("baseNameGroup", "Base Name", {3, 1, 137, 27});
  form.AddBackdrop<QGroupBox>("baseIndexGroup", "Base Index", {3, 30, 61, 27});
  form.AddBackdrop<QGroupBox>("indexPositionGroup", "Index Position", {67, 30, 106, 27});
  form.AddBackdrop<QGroupBox>("presortTypeGroup", "Presort Type", {3, 59, 170, 38});
  form.AddBackdrop<QGroupBox>("logFileGroup", "Log File", {3, 219, 171, 28});
  form.LowerBackdrops();
  // Screen readers announce a box by the label it stands under; buttons and
  // check boxes by their own text.
  m_baseName->setAccessibleName(QStringLiteral("Base Name"));
  m_baseIndexEdit->setAccessibleName(QStringLiteral("Base Index"));
  m_logFile->setAccessibleName(QStringLiteral("Log File"));
  m_tree->setAccessibleName(QStringLiteral("Select folder to kalvenor"));
  m_folderBox->setAccessibleName(QStringLiteral("Selected folder"));
  m_results->setAccessibleName(QStringLiteral("Results"));
  m_continue->setEnabled(false);

  connect(m_start, &QPushButton::clicked, this, &KalvenorView::OnStart);
  connect(m_tree, &FolderTree::folderSelected, this, [this](const std::string& path) {
    // The start-up walk ending on the folder the box shows already changes
    // nothing: a preview made while the tree was still reading stands.
    if (m_startupWalk && path == m_folderBox->Path()) return;
    m_folderBox->SetPath(path);
  });
  connect(m_tree, &FolderTree::populated, this, [this] { m_startupWalk = false; });
  connect(m_folderBox, &FolderPathBox::pathSet, this, &KalvenorView::OnFolderOrNameChange);
  connect(m_baseName, &QLineEdit::textChanged, this, &KalvenorView::OnFolderOrNameChange);
  connect(m_quit, &QPushButton::clicked, this, &KalvenorView::OnQuit);
  connect(m_continue, &QPushButton::clicked, this, &KalvenorView::OnContinue);
  connect(m_undo, &QPushButton::clicked, this, &KalvenorView::OnUndoLast);
  connect(m_help, &QPushButton::clicked, this, &KalvenorView::OnHelpButton);
  connect(m_browse, &QPushButton::clicked, this, &KalvenorView::OnBrowse);
  connect(m_refresh, &QPushButton::clicked, this, &KalvenorView::OnRefresh);
}

QSize KalvenorView::FormSize() const { return DialogUnits(font()).ToPixels(kFormSize); }

void KalvenorView::OnInitialUpdate() {
  if (auto* frame = qobject_cast<MainFrame*>(window())) frame->FitToForm(FormSize());
  // The box shows the stored folder at once; the tree reads its way down to
  // it in the background and then selects and announces it.
  m_folderBox->SetPath(m_settings.dir);
  m_startupWalk = true;
  m_tree->Populate(m_settings.dir);
  UpdateControls();
  m_fillGaps->setChecked(m_settings.gaps != 0);
  m_ascending->setChecked(m_settings.ascending != 0);
  m_baseIndexEdit->setText(QLatin1String(kBaseIndexStart));
  m_logBytes = m_settings.log;
  m_logFile->setText(Decode(m_logBytes));
  if (!m_logBytes.empty()) m_doc.SetTitle(Decode(m_logBytes));
  (m_settings.postfix != 0 ? m_postfix : m_prefix)->setChecked(true);
  const int stored = m_settings.sort;
  const int sort = stored == kalvenor::kSortByName || stored == kalvenor::kSortByDate
                       ? stored
                       : kalvenor::kSortByType;
  m_presortGroup->button(sort)->setChecked(true);
  // Until the first Start, a run would take the stored choices.
  m_startChoices.postfix = m_settings.postfix != 0;
  m_startChoices.sortType = m_settings.sort;
  m_startChoices.ascending = m_settings.ascending != 0;
  m_startChoices.fillGaps = m_settings.gaps != 0;

  // The tree keeps the distance of its right edge from the form's right
  // edge that the layout gives it; the form is never narrower than that.
  m_treeRect = m_tree->geometry();
  m_clientRect = QRect(QPoint(0, 0), FormSize());
  m_rectsRecorded = true;
  PlaceTree();
}

void KalvenorView::UpdateControls() {
  const std::string& folder = m_folderBox->Path();
  const bool validFolder = kalvenor::IsValidFolderPath(*m_fs, folder);
  if (validFolder) m_settings.dir = folder;
  m_start->setEnabled(validFolder && !m_baseName->text().isEmpty());
  m_continue->setEnabled(false);
  m_undo->setEnabled(!m_lastBatch.Empty());
}

void KalvenorView::OnFolderOrNameChange() {
  // The run at work owns the batch record; the buttons wait for its end.
  if (IsRunning()) {
    m_changedDuringRun = true;
    return;
  }
  UpdateControls();
}

void KalvenorView::OnStart() {
  if (IsRunning()) return;
  // The choices taken now hold for this preview and the Continue after it;
  // they are also what the settings keep.
  m_startChoices.postfix = m_postfix->isChecked();
  m_startChoices.sortType = std::max(m_presortGroup->checkedId(), kalvenor::kSortByName);
  m_startChoices.fillGaps = m_fillGaps->isChecked();
  m_startChoices.ascending = m_ascending->isChecked();
  m_startChoices.baseIndex = kalvenor::ParseBaseIndex(m_baseIndexEdit->text().toStdString());
  m_settings.postfix = m_startChoices.postfix ? 1 : 0;
  m_settings.sort = m_startChoices.sortType;
  m_settings.gaps = m_startChoices.fillGaps ? 1 : 0;
  m_settings.ascending = m_startChoices.ascending ? 1 : 0;

  const kalvenor::RunEnd end = Run(/*commit=*/false).end;
  // The plan is read before it is carried out: the focus goes to it, never
  // on to Continue, so that a key pressed twice cannot rename the files.
  m_results->setFocus();
  // A preview stopped, or of a folder or name changed meanwhile, leaves
  // nothing to continue with.
  if (end == kalvenor::RunEnd::Stopped || m_changedDuringRun) {
    UpdateControls();
    return;
  }
  switch (end) {
    case kalvenor::RunEnd::IndexLimit:
      // Nothing to continue with; the line that says why is brought into view.
      m_results->ShowLine(m_results->Count() - 1);
      break;
    default:
      m_continue->setEnabled(true);
      m_start->setEnabled(false);
      break;
  }
}

void KalvenorView::OnContinue() {
  if (IsRunning()) return;
  Run(/*commit=*/true);
  // Not on to Undo Last, which would act on the files again.
  m_results->setFocus();
  UpdateControls();
  m_start->setEnabled(false);
}

void KalvenorView::OnUndoFromLog() {
  if (IsRunning()) return;
  const QString chosen = askUndoLogFileName();
  if (chosen.isEmpty()) return;
  const std::string logPath = Encode(chosen);
  kalvenor::UndoFromLog undo = kalvenor::ReadUndoFromLog(*m_fs, logPath);
  const QString shownPath = Decode(kalvenor::EscapeLogPath(logPath));
  switch (undo.refusal) {
    case kalvenor::UndoFromLog::Refusal::None: break;
    case kalvenor::UndoFromLog::Refusal::NothingToUndo:
      showMessage(QStringLiteral("Nothing to undo."), kalvenor::MessageIcon::Exclamation);
      return;
    case kalvenor::UndoFromLog::Refusal::Untrusted:
    case kalvenor::UndoFromLog::Refusal::Unreadable:
    case kalvenor::UndoFromLog::Refusal::NotUnderstood:
      showMessage(
          QStringLiteral("Cannot undo from log file %1: %2.").arg(shownPath, Decode(undo.reason)),
          kalvenor::MessageIcon::Exclamation);
      return;
  }
  const std::size_t count = undo.batch.Size();
  const QString files =
      count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
  if (!askYesNo(QStringLiteral("Rename %1 of the batch of %2 back to the names they had before it?")
                    .arg(files, Decode(undo.time)))) {
    return;
  }

  // The record of the last batch goes when the log's batch is that batch:
  // its files are back, and Undo Last must not try them again.
  const std::vector<std::string>& undone = undo.batch.NewPaths();
  for (const std::string& path : m_lastBatch.NewPaths()) {
    if (std::find(undone.begin(), undone.end(), path) != undone.end()) {
      m_lastBatch.Clear();
      break;
    }
  }
  const kalvenor::RunOutcome outcome =
      RunInBackground(QString::fromUtf8(kRenamingBackLabel), [&](kalvenor::RenameContext& context) {
        return kalvenor::UndoLastBatch(logPath, /*logRequired=*/true, context, undo.batch,
                                       /*fromLog=*/true);
      });
  if (outcome.end == kalvenor::RunEnd::LogNotOpened) {
    showMessage(QString::fromLatin1(kalvenor::kCannotOpenLog.data(),
                                    static_cast<qsizetype>(kalvenor::kCannotOpenLog.size())),
                kalvenor::MessageIcon::Exclamation);
  }
  m_results->setFocus();
  UpdateControls();
}

void KalvenorView::OnUndoLast() {
  if (IsRunning()) return;
  const std::string logPath = GetLogPath();
  const kalvenor::RunOutcome outcome =
      RunInBackground(QString::fromUtf8(kRenamingBackLabel), [&](kalvenor::RenameContext& context) {
        return kalvenor::UndoLastBatch(logPath, /*logRequired=*/false, context, m_lastBatch);
      });
  if (!outcome.logPath.empty()) SetLogPath(outcome.logPath);
  m_results->setFocus();
  UpdateControls();
}

kalvenor::RunOutcome KalvenorView::Run(bool commit) {
  const kalvenor::RenameOptions options = CurrentOptions();
  // The log path as typed names the document while the run works.
  if (!options.logPath.empty()) m_doc.SetTitle(Decode(options.logPath));
  const kalvenor::RunOutcome outcome =
      RunInBackground(QString::fromUtf8(commit ? kRenamingLabel : kReadingLabel),
                      [&](kalvenor::RenameContext& context) {
                        return kalvenor::RenameFiles(commit, options, context, m_lastBatch);
                      });
  if (!outcome.logPath.empty()) SetLogPath(outcome.logPath);
  return outcome;
}

kalvenor::RunOutcome KalvenorView::RunInBackground(const QString& label,
                                                   const BackgroundRun::Work& work) {
  m_changedDuringRun = false;
  QWidget* frame = window();
  frame->installEventFilter(this);
  // The controls go grey only when the run turns out slow: a quick run
  // looks as it always did, and takes no input meanwhile all the same.
  BackgroundRun run(*m_results, *this, *m_fs, frame, label, [this] {
    // The focus goes to the Results list first, never left on a control
    // about to be disabled, from where it would move on to one that is not.
    m_results->setFocus();
    HoldControls(true);
  });
  m_run = &run;
  emit runningChanged(true);
  const kalvenor::RunOutcome outcome = run.Exec(work);
  m_run = nullptr;
  frame->removeEventFilter(this);
  HoldControls(false);
  emit runningChanged(false);
  if (m_closeRequested) {
    m_closeRequested = false;
    QMetaObject::invokeMethod(frame, &QWidget::close, Qt::QueuedConnection);
  }
  return outcome;
}

void KalvenorView::HoldControls(bool hold) {
  if (!hold) {
    for (const auto& [control, enabled] : m_heldControls) control->setEnabled(enabled);
    m_heldControls.clear();
    return;
  }
  QList<QWidget*> controls{m_baseName, m_baseIndexEdit, m_prefix, m_postfix, m_ascending,
                           m_fillGaps, m_logFile,       m_browse, m_start,   m_continue,
                           m_undo,     m_refresh,       m_tree};
  for (QAbstractButton* presort : m_presortGroup->buttons()) controls << presort;
  for (QWidget* control : controls) {
    m_heldControls.emplace_back(control, control->isEnabled());
    control->setEnabled(false);
  }
}

void KalvenorView::CancelRun() {
  if (m_run != nullptr) m_run->Stop();
}

bool KalvenorView::eventFilter(QObject* watched, QEvent* event) {
  // Closing the window during a run stops the run; the window closes when
  // the run has ended, with everything it did logged.
  if (event->type() == QEvent::Close && m_run != nullptr && watched == window()) {
    m_closeRequested = true;
    m_run->Stop();
    event->ignore();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void KalvenorView::OnQuit() {
  // Posted, as the close box does, so that the click finishes first.
  QMetaObject::invokeMethod(window(), &QWidget::close, Qt::QueuedConnection);
}

void KalvenorView::OnHelpButton() {
  if (helpCommand) helpCommand();
}

void KalvenorView::OnBrowse() {
  const QString chosen = askLogFileName();
  if (chosen.isEmpty()) return;
  SetLogPath(Encode(chosen));
}

void KalvenorView::OnRefresh() {
  UpdateControls();
  m_tree->Populate(m_settings.dir);
}

void KalvenorView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceTree();
}

std::string KalvenorView::DroppedFolder(const QMimeData* mime) const {
  if (mime == nullptr || !mime->hasUrls() || mime->urls().isEmpty()) return {};
  const QUrl url = mime->urls().constFirst();
  if (!url.isLocalFile()) return {};
  std::string path = Encode(url.toLocalFile());
  kalvenor::PathStat stat;
  if (m_fs->Stat(path, /*followLinks=*/true, &stat)) return {};
  if (stat.isDirectory) return path;
  const std::string folder = kalvenor::SplitPath(path).folder;
  return folder.empty() ? std::string("/") : folder;
}

void KalvenorView::dragEnterEvent(QDragEnterEvent* event) {
  if (!IsRunning() && !DroppedFolder(event->mimeData()).empty()) event->acceptProposedAction();
}

void KalvenorView::dropEvent(QDropEvent* event) {
  if (IsRunning()) return;
  const std::string folder = DroppedFolder(event->mimeData());
  if (folder.empty()) return;
  event->acceptProposedAction();
  m_tree->Populate(folder);
}

void KalvenorView::PlaceTree() {
  if (!m_rectsRecorded) return;  // sizes before the initial update
  QRect tree = m_treeRect;
  tree.setWidth(m_treeRect.width() + (width() - m_clientRect.width()));
  m_tree->setGeometry(tree);
}

void KalvenorView::ShowMessage(const std::string& text, kalvenor::MessageIcon icon) {
  showMessage(Decode(text), icon);
}

std::string KalvenorView::GetLogPath() const {
  const QString text = m_logFile->text();
  // Keep the exact bytes of a path set by the program while the box still
  // shows it; a typed path is taken as typed, but for a "~/" at its start,
  // which stands for the home folder as in a shell.
  if (!m_logBytes.empty() && text == Decode(m_logBytes)) return m_logBytes;
  std::string typed = Encode(text);
  if (typed.starts_with("~/")) {
    const std::optional<std::string> home = m_fs->GetEnv("HOME");
    if (home && home->starts_with('/')) typed = kalvenor::JoinPath(*home, typed.substr(2));
  }
  return typed;
}

void KalvenorView::SetLogPath(const std::string& path) {
  m_logBytes = path;
  m_logFile->setText(Decode(path));
  m_settings.log = path;
  if (!path.empty()) m_doc.SetTitle(Decode(path));
}

kalvenor::RenameOptions KalvenorView::CurrentOptions() const {
  kalvenor::RenameOptions options = m_startChoices;
  options.folder = m_folderBox->Path();
  options.baseName = Encode(m_baseName->text());
  options.logPath = GetLogPath();
  return options;
}

void KalvenorView::ShowMessageBox(const QString& text, kalvenor::MessageIcon icon) {
  const QMessageBox::Icon boxIcon =
      icon == kalvenor::MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Warning;
  QMessageBox box(boxIcon, AppTexts::AppName(), text, QMessageBox::Ok, window());
  box.exec();
}

QString KalvenorView::AskUndoLogFileNameWithDialog() {
  QFileDialog dialog(window());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({QLatin1String(kLogFilter), QStringLiteral("All files (*)")});
  const std::string current = GetLogPath();
  if (!current.empty()) dialog.selectFile(Decode(current));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

bool KalvenorView::AskYesNoWithBox(const QString& question) {
  QMessageBox box(QMessageBox::Question, AppTexts::AppName(), question,
                  QMessageBox::Yes | QMessageBox::No, window());
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

QString KalvenorView::AskLogFileNameWithDialog() {
  QFileDialog dialog(window());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QLatin1String(kLogFilter));
  dialog.setDefaultSuffix(QLatin1String(kLogSuffix));
  // Choosing an existing log means appending to it: no overwrite question.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  // Opens in the folder of the log in the box, with its name filled in.
  const std::string current = GetLogPath();
  if (!current.empty()) dialog.selectFile(Decode(current));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}
