#include "form_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <algorithm>
#include <utility>

#include "app_texts.h"
#include "base_index.h"
#include "dialog_units.h"
#include "folder_path_box.h"
#include "folder_tree.h"
#include "presort.h"
#include "resource_ids.h"
#include "results_list_box.h"

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
  Widget* AddBackdrop(const char* name, const QString& text, const QRect& rect) {
    auto* widget = new Widget(text, &m_form);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(m_units.ToPixels(rect));
    m_backdrops << widget;
    return widget;
  }

  QRadioButton* AddRadio(QButtonGroup& group, int buttonId, int id, const char* name,
                         const QString& text, const QRect& rect) {
    auto* radio = Add<QRadioButton>(id, name, rect, text);
    // A group is one Tab stop, its checked button; the arrow keys move the
    // check, and the stop with it, within the group.
    radio->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(radio, &QAbstractButton::toggled, radio, [radio](bool checked) {
      radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
    group.addButton(radio, buttonId);
    return radio;
  }

  QPushButton* AddButton(int id, const char* name, const QString& text, const QRect& rect) {
    auto* button = Add<PushButton>(id, name, rect, text);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
  }

  QCheckBox* AddCheck(int id, const char* name, const QString& text, const QRect& rect) {
    return Add<QCheckBox>(id, name, rect, text);
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

}  // namespace

FormWidgets::FormWidgets(QWidget& form, kalvenor::FileSystem& fs) : m_form(form) {
  FormBuilder builder(form);
  positionGroup = new QButtonGroup(&form);
  presortGroup = new QButtonGroup(&form);

  // In the order the Tab key visits them; x, y, width, height in dialog units.
  baseName = builder.Add<QLineEdit>(kIdBaseName, "baseNameEdit", {9, 10, 126, 14});
  baseName->setValidator(new BaseNameValidator(baseName));
  baseIndex = builder.Add<QLineEdit>(kIdBaseIndex, "baseIndexEdit", {9, 39, 47, 14});
  prefix = builder.AddRadio(*positionGroup, 0, kIdPrefix, "prefixRadio", AppTexts::PrefixCaption(),
                            {72, 41, 33, 10});
  postfix = builder.AddRadio(*positionGroup, 1, kIdPostfix, "postfixRadio",
                             AppTexts::PostfixCaption(), {128, 41, 36, 10});
  builder.AddRadio(*presortGroup, kalvenor::kSortByName, kIdAlphanumeric, "alphanumericRadio",
                   AppTexts::AlphanumericCaption(), {9, 71, 60, 10});
  builder.AddRadio(*presortGroup, kalvenor::kSortByDate, kIdDate, "dateRadio",
                   AppTexts::DateCaption(), {74, 71, 31, 10});
  builder.AddRadio(*presortGroup, kalvenor::kSortByType, kIdFileType, "fileTypeRadio",
                   AppTexts::FileTypeCaption(), {125, 71, 45, 10});
  ascending = builder.AddCheck(kIdAscending, "ascendingCheck", AppTexts::AscendingCaption(),
                               {9, 83, 111, 10});
  fillGaps = builder.AddCheck(kIdFillGaps, "fillGapsCheck", AppTexts::FillGapsCaption(),
                              {9, 100, 153, 10});
  logFile = builder.Add<QLineEdit>(kIdLogFile, "logFileEdit", {6, 229, 107, 14});
  browse =
      builder.AddButton(kIdBrowse, "browseButton", AppTexts::BrowseCaption(), {119, 229, 50, 14});
  start = builder.AddButton(kIdStart, "startButton", AppTexts::StartCaption(), {180, 13, 50, 14});
  continueButton = builder.AddButton(kIdContinue, "continueButton", AppTexts::ContinueCaption(),
                                     {180, 31, 50, 14});
  undo =
      builder.AddButton(kIdUndoLast, "undoButton", AppTexts::UndoLastCaption(), {180, 49, 50, 14});
  help = builder.AddButton(kIdHelpButton, "helpButton", AppTexts::HelpCaption(), {180, 67, 50, 14});
  quit = builder.AddButton(kIdQuit, "quitButton", AppTexts::QuitCaption(), {180, 85, 50, 14});
  refresh = builder.AddButton(kIdRefresh, "refreshButton", AppTexts::RefreshCaption(),
                              {180, 214, 50, 14});
  tree = builder.Add<FolderTree>(kIdFolderTree, "folderTree", {236, 13, 135, 215}, fs);
  folderBox = builder.Add<FolderPathBox>(kIdFolder, "folderBox", {237, 233, 134, 14});
  folderBox->setReadOnly(true);
  folderBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  builder.AddBackdrop<QLabel>("folderLabel", AppTexts::FolderLabel(), {236, 2, 135, 8});
  results = builder.Add<ResultsListBox>(kIdResults, "resultsList", {3, 123, 170, 94});
  builder.AddBackdrop<QLabel>("resultsLabel", AppTexts::ResultsLabel(), {3, 112, 123, 8});
  builder.AddBackdrop<QGroupBox>("baseNameGroup", AppTexts::BaseNameGroup(), {3, 1, 137, 27});
  builder.AddBackdrop<QGroupBox>("baseIndexGroup", AppTexts::BaseIndexGroup(), {3, 30, 61, 27});
  builder.AddBackdrop<QGroupBox>("indexPositionGroup", AppTexts::IndexPositionGroup(),
                                 {67, 30, 106, 27});
  builder.AddBackdrop<QGroupBox>("presortTypeGroup", AppTexts::PresortTypeGroup(),
                                 {3, 59, 170, 38});
  builder.AddBackdrop<QGroupBox>("logFileGroup", AppTexts::LogFileGroup(), {3, 219, 171, 28});
  builder.LowerBackdrops();
  // Screen readers announce a box by the label it stands under; buttons and
  // check boxes by their own text.
  baseName->setAccessibleName(AppTexts::BaseNameGroup());
  baseIndex->setAccessibleName(AppTexts::BaseIndexGroup());
  logFile->setAccessibleName(AppTexts::LogFileGroup());
  tree->setAccessibleName(AppTexts::FolderLabel());
  folderBox->setAccessibleName(AppTexts::SelectedFolderName());
  results->setAccessibleName(AppTexts::ResultsLabel());
  continueButton->setEnabled(false);
}

QSize FormWidgets::FormSize() const { return DialogUnits(m_form.font()).ToPixels(kFormSize); }

void FormWidgets::RecordTreePlace() {
  // The tree keeps the distance of its right edge from the form's right
  // edge that the layout gives it; the form is never narrower than that.
  m_treeRect = tree->geometry();
  m_clientRect = QRect(QPoint(0, 0), FormSize());
  m_placeRecorded = true;
  PlaceTree();
}

void FormWidgets::ShowStoredChoices(const SettingsRecord& settings) {
  fillGaps->setChecked(settings.gaps != 0);
  ascending->setChecked(settings.ascending != 0);
  baseIndex->setText(AppTexts::BaseIndexStart());
  (settings.postfix != 0 ? postfix : prefix)->setChecked(true);
  const int stored = settings.sort;
  const int sort = stored == kalvenor::kSortByName || stored == kalvenor::kSortByDate
                       ? stored
                       : kalvenor::kSortByType;
  presortGroup->button(sort)->setChecked(true);
}

kalvenor::RenameOptions FormWidgets::Choices() const {
  kalvenor::RenameOptions choices;
  choices.postfix = postfix->isChecked();
  choices.sortType = std::max(presortGroup->checkedId(), kalvenor::kSortByName);
  choices.fillGaps = fillGaps->isChecked();
  choices.ascending = ascending->isChecked();
  choices.baseIndex = kalvenor::ParseBaseIndex(baseIndex->text().toStdString());
  return choices;
}

void FormWidgets::PlaceTree() {
  if (!m_placeRecorded) return;  // sizes before the initial update
  QRect place = m_treeRect;
  place.setWidth(m_treeRect.width() + (m_form.width() - m_clientRect.width()));
  tree->setGeometry(place);
}
