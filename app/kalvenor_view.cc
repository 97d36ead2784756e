#include "kalvenor_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>

#include "folder_path.h"
#include "rename_run.h"
#include "undo_last.h"
#include "folder_path_box.h"
#include "folder_tree.h"
#include "resource_ids.h"
#include "app_texts.h"
#include "base_index.h"
#include "dialog_units.h"
#include "kalvenor_doc.h"
#include "main_frame.h"
#include "results_list_box.h"

namespace {

// The form, in dialog units, in the order the Tab key visits its controls.
constexpr QSize kFormSize(374, 251);

enum class Kind { Edit, Radio, Check, Button, Tree, FolderBox, List, Label, Group };

struct ControlSpec {
  int id;  // 0 for labels and group boxes
  Kind kind;
  const char* name;
  const char* text;
  QRect rect;  // x, y, width, height in dialog units
};

constexpr ControlSpec kControls[] = {
    {kIdBaseName, Kind::Edit, "baseNameEdit", "", {9, 10, 126, 14}},
    {kIdBaseIndex, Kind::Edit, "baseIndexEdit", "", {9, 39, 47, 14}},
    {kIdPrefix, Kind::Radio, "prefixRadio", "Prefix", {72, 41, 33, 10}},
    {kIdPostfix, Kind::Radio, "postfixRadio", "Postfix", {128, 41, 36, 10}},
    {kIdAlphanumeric, Kind::Radio, "alphanumericRadio", "Alphanumeric", {9, 71, 60, 10}},
    {kIdDate, Kind::Radio, "dateRadio", "Date", {74, 71, 31, 10}},
    {kIdFileType, Kind::Radio, "fileTypeRadio", "File Type", {125, 71, 45, 10}},
    {kIdAscending, Kind::Check, "ascendingCheck", "Ascending", {9, 83, 111, 10}},
    {kIdFillGaps, Kind::Check, "fillGapsCheck", "Fill gaps in numbers", {9, 100, 153, 10}},
    {kIdLogFile, Kind::Edit, "logFileEdit", "", {6, 229, 107, 14}},
    {kIdBrowse, Kind::Button, "browseButton", "Browse...", {119, 229, 50, 14}},
    {kIdStart, Kind::Button, "startButton", "Start", {180, 13, 50, 14}},
    {kIdContinue, Kind::Button, "continueButton", "Continue", {180, 31, 50, 14}},
    {kIdUndoLast, Kind::Button, "undoButton", "Undo Last", {180, 49, 50, 14}},
    {kIdHelpButton, Kind::Button, "helpButton", "Help", {180, 67, 50, 14}},
    {kIdQuit, Kind::Button, "quitButton", "Quit", {180, 85, 50, 14}},
    {kIdRefresh, Kind::Button, "refreshButton", "Refresh ->", {180, 214, 50, 14}},
    {kIdFolderTree, Kind::Tree, "folderTree", "", {236, 13, 135, 215}},
    {kIdFolder, Kind::FolderBox, "folderBox", "", {237, 233, 134, 14}},
    {0, Kind::Label, "folderLabel", "Select folder to kalvenor", {236, 2, 135, 8}},
    {kIdResults, Kind::List, "resultsList", "", {3, 123, 170, 94}},
    {0, Kind::Label, "resultsLabel", "Results", {3, 112, 123, 8}},
    {0, Kind::Group, "baseNameGroup", "Base Name", {3, 1, 137, 27}},
    {0, Kind::Group, "baseIndexGroup", "Base Index", {3, 30, 61, 27}},
    {0, Kind::Group, "indexPositionGroup", "Index Position", {67, 30, 106, 27}},
    {0, Kind::Group, "presortTypeGroup", "Presort Type", {3, 59, 170, 38}},
    {0, Kind::Group, "logFileGroup", "Log File", {3, 219, 171, 28}},
};

const char kBaseIndexStart[] = "0";
const char kLogFilter[] = "Log files (*.log)";
// Added, after a dot, to a chosen name that has no extension. Lower case,
// so that the log matches the dialog's own "*.log" filter on a file system
// that tells cases apart.
const char kLogSuffix[] = "log";

QString Decode(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

std::string Encode(const QString& text) { return QFile::encodeName(text).toStdString(); }

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
  CreateControls();
  // The form scrolls rather than squeeze its controls.
  setMinimumSize(FormSize());
  resize(FormSize());
}

KalvenorView::~KalvenorView() = default;

void KalvenorView::CreateControls() {
  const DialogUnits units(font());
  m_positionGroup = new QButtonGroup(this);
  m_presortGroup = new QButtonGroup(this);
  QList<QWidget*> backdrops;

  for (const ControlSpec& spec : kControls) {
    const QString text = QString::fromLatin1(spec.text);
    QWidget* widget = nullptr;
    switch (spec.kind) {
      case Kind::Edit: {
        auto* edit = new QLineEdit(this);
        widget = edit;
        break;
      }
      case Kind::Radio: {
        auto* radio = new QRadioButton(text, this);
        // The radio buttons are not tab stops: they are reached by the mouse.
        radio->setFocusPolicy(Qt::ClickFocus);
        QButtonGroup* group = spec.id <= kIdPostfix ? m_positionGroup : m_presortGroup;
        group->addButton(radio, spec.id);
        widget = radio;
        break;
      }
      case Kind::Check:
        widget = new QCheckBox(text, this);
        break;
      case Kind::Button: {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        button->setDefault(false);
        widget = button;
        break;
      }
      case Kind::Tree:
        m_tree = new FolderTree(this);
        widget = m_tree;
        break;
      case Kind::FolderBox:
        m_folderBox = new FolderPathBox(this);
        m_folderBox->setReadOnly(true);
        m_folderBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        widget = m_folderBox;
        break;
      case Kind::List:
        m_results = new ResultsListBox(this);
        widget = m_results;
        break;
      case Kind::Label:
        widget = new QLabel(text, this);
        backdrops << widget;
        break;
      case Kind::Group:
        widget = new QGroupBox(text, this);
        backdrops << widget;
        break;
    }
    widget->setObjectName(QLatin1String(spec.name));
    if (spec.id != 0) widget->setProperty("controlId", spec.id);
    widget->setGeometry(units.ToPixels(spec.rect));
  }
  // Frames and labels stay behind the controls they surround.
  for (QWidget* backdrop : backdrops) backdrop->lower();

  const auto find = [this](const char* name) {
    return findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
  };
  m_baseName = static_cast<QLineEdit*>(find("baseNameEdit"));
  m_baseIndexEdit = static_cast<QLineEdit*>(find("baseIndexEdit"));
  m_logFile = static_cast<QLineEdit*>(find("logFileEdit"));
  m_prefix = static_cast<QRadioButton*>(find("prefixRadio"));
  m_postfix = static_cast<QRadioButton*>(find("postfixRadio"));
  m_ascending = static_cast<QCheckBox*>(find("ascendingCheck"));
  m_fillGaps = static_cast<QCheckBox*>(find("fillGapsCheck"));
  m_start = static_cast<QPushButton*>(find("startButton"));
  m_continue = static_cast<QPushButton*>(find("continueButton"));
  m_undo = static_cast<QPushButton*>(find("undoButton"));
  m_help = static_cast<QPushButton*>(find("helpButton"));
  m_quit = static_cast<QPushButton*>(find("quitButton"));
  m_refresh = static_cast<QPushButton*>(find("refreshButton"));
  m_browse = static_cast<QPushButton*>(find("browseButton"));
  m_continue->setEnabled(false);

  connect(m_start, &QPushButton::clicked, this, &KalvenorView::OnStart);
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
  m_tree->Populate(m_settings.dir, m_folderBox);
  UpdateControls();
  m_fillGaps->setChecked(m_settings.gaps != 0);
  m_ascending->setChecked(m_settings.ascending != 0);
  m_baseIndexEdit->setText(QLatin1String(kBaseIndexStart));
  m_logBytes = m_settings.log;
  m_logFile->setText(Decode(m_logBytes));
  if (!m_logBytes.empty()) m_doc.SetTitle(Decode(m_logBytes));
  (m_settings.postfix != 0 ? m_postfix : m_prefix)->setChecked(true);
  const int sortId = m_settings.sort == 0   ? kIdAlphanumeric
                     : m_settings.sort == 1 ? kIdDate
                                               : kIdFileType;
  m_presortGroup->button(sortId)->setChecked(true);

  // The tree keeps the distance of its right edge from the form's right
  // edge that the layout gives it; the form is never narrower than that.
  m_treeRect = m_tree->geometry();
  m_clientRect = QRect(QPoint(0, 0), FormSize());
  m_rectsRecorded = true;
  PlaceTree();
}

void KalvenorView::UpdateControls() {
  const std::string& folder = m_folderBox->Path();
  const bool validFolder = kalvenor::IsValidFolderPath(folder);
  if (validFolder) m_settings.dir = folder;
  m_start->setEnabled(validFolder && !m_baseName->text().isEmpty());
  m_continue->setEnabled(false);
  m_undo->setEnabled(!m_lastBatch.Empty());
}

void KalvenorView::OnFolderOrNameChange() { UpdateControls(); }

void KalvenorView::OnStart() {
  m_settings.postfix = m_postfix->isChecked() ? 1 : 0;
  const int presortId = m_presortGroup->checkedId();
  m_settings.sort = presortId >= kIdAlphanumeric ? presortId - kIdAlphanumeric : 0;
  m_settings.gaps = m_fillGaps->isChecked() ? 1 : 0;
  m_settings.ascending = m_ascending->isChecked() ? 1 : 0;
  m_baseIndex = kalvenor::ParseBaseIndex(m_baseIndexEdit->text().toStdString());

  kalvenor::RenameContext context{*m_results, *this, *this, *m_fs};
  if (kalvenor::RenameFiles(false, *this, context, m_lastBatch)) {
    m_continue->setEnabled(true);
    m_start->setEnabled(false);
  }
}

void KalvenorView::OnContinue() {
  kalvenor::RenameContext context{*m_results, *this, *this, *m_fs};
  kalvenor::RenameFiles(true, *this, context, m_lastBatch);
  UpdateControls();
  m_start->setEnabled(false);
}

void KalvenorView::OnUndoLast() {
  kalvenor::RenameContext context{*m_results, *this, *this, *m_fs};
  kalvenor::UndoLastBatch(context, m_lastBatch);
  UpdateControls();
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
  m_tree->Populate(m_settings.dir, m_folderBox);
}

void KalvenorView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceTree();
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
  // shows it; a typed path is taken as typed.
  if (!m_logBytes.empty() && text == Decode(m_logBytes)) return m_logBytes;
  return Encode(text);
}

void KalvenorView::SetLogPath(const std::string& path) {
  m_logBytes = path;
  m_logFile->setText(Decode(path));
  m_settings.log = path;
  if (!path.empty()) m_doc.SetTitle(Decode(path));
}

void KalvenorView::SetDocumentTitle(const std::string& title) { m_doc.SetTitle(Decode(title)); }

kalvenor::RenameOptions KalvenorView::CurrentOptions() const {
  kalvenor::RenameOptions options;
  options.folder = m_folderBox->Path();
  options.baseName = Encode(m_baseName->text());
  options.baseIndex = m_baseIndex;
  options.postfix = m_settings.postfix != 0;
  options.sortType = m_settings.sort;
  options.ascending = m_settings.ascending != 0;
  options.fillGaps = m_settings.gaps != 0;
  return options;
}

void KalvenorView::ShowMessageBox(const QString& text, kalvenor::MessageIcon icon) {
  const QMessageBox::Icon boxIcon =
      icon == kalvenor::MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Warning;
  QMessageBox box(boxIcon, AppTexts::AppName(), text, QMessageBox::Ok, window());
  box.exec();
}

QString KalvenorView::AskLogFileNameWithDialog() {
  QFileDialog dialog(window());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QLatin1String(kLogFilter));
  dialog.setDefaultSuffix(QLatin1String(kLogSuffix));
  // Choosing an existing log means appending to it: no overwrite question.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}
