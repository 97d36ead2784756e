#include "form_widgets.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <utility>

#include "app_texts.h"
#include "base_index.h"
#include "dialog_units.h"
#include "folder_path_box.h"
#include "folder_tree.h"
#include "log_file_box.h"
#include "presort.h"
#include "resource_ids.h"
#include "results_list_box.h"
#include "run_announcer.h"

namespace {

// The form's size in dialog units: the places below lie within it.
constexpr QSize kFormSize(374, 275);
// Where the form's side of the splitter ends and the tree's side begins;
// the splitter's handle lies between them.
constexpr int kFormSideRight = 230;
constexpr int kTreeSideLeft = 236;

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

// A group box whose controls stand at given distances from its edges. The
// style keeps room for the title inside the box's contents margins and
// sets them anew when the style or the font changes; the layout's margins
// make up the rest.
class GroupBox : public QGroupBox {
 public:
  GroupBox(const QString& title, QMargins inset, QLayout* layout, QWidget* parent)
      : QGroupBox(title, parent), m_inset(inset) {
    setLayout(layout);
    Refit();
  }

 protected:
  void changeEvent(QEvent* event) override {
    QGroupBox::changeEvent(event);
    const QEvent::Type type = event->type();
    if (type == QEvent::StyleChange || type == QEvent::FontChange) Refit();
  }

 private:
  void Refit() {
    const QMargins style = contentsMargins();
    layout()->setContentsMargins(std::max(0, m_inset.left() - style.left()),
                                 std::max(0, m_inset.top() - style.top()),
                                 std::max(0, m_inset.right() - style.right()),
                                 std::max(0, m_inset.bottom() - style.bottom()));
  }

  QMargins m_inset;
};

// Places in dialog units of the form's font, turned into pixels edge by
// edge, so that controls laid out one after another with the distances
// between their edges stand exactly where the places put them.
class Places {
 public:
  explicit Places(const QFont& font) : m_units(font) {}

  // Pixels from `from` to `to`, across and down.
  int Across(int from, int to) const { return m_units.ToPixelsX(to) - m_units.ToPixelsX(from); }
  int Down(int from, int to) const { return m_units.ToPixelsY(to) - m_units.ToPixelsY(from); }
  QSize Size(QSize units) const { return m_units.ToPixels(units); }
  // The margins of `inner` within `outer`.
  QMargins Inset(const QRect& outer, const QRect& inner) const {
    return {Across(outer.left(), inner.left()), Down(outer.top(), inner.top()),
            Across(inner.x() + inner.width(), outer.x() + outer.width()),
            Down(inner.y() + inner.height(), outer.y() + outer.height())};
  }

 private:
  DialogUnits m_units;
};

// Makes the form's controls, each of its own type, named, with its control
// ID, at least as large as its place (as wide as its text needs, where it
// has a caption) and exactly as high.
class FormBuilder {
 public:
  explicit FormBuilder(const Places& places) : m_places(places) {}

  // A control of type `Widget` at the place `rect`; `args` go to its
  // constructor before the parent. The layout gives it its parent.
  template <typename Widget, typename... Args>
  Widget* Add(int id, const char* name, const QRect& rect, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., nullptr);
    widget->setObjectName(QLatin1String(name));
    widget->setProperty("controlId", id);
    Size(widget, rect, /*captioned=*/false);
    m_made << widget;
    return widget;
  }
  // ... with a caption, which needs its room.
  template <typename Widget>
  Widget* AddCaptioned(int id, const char* name, const QRect& rect, const QString& caption) {
    auto* widget = Add<Widget>(id, name, rect, caption);
    Size(widget, rect, /*captioned=*/true);
    return widget;
  }

  QRadioButton* AddRadio(QButtonGroup& group, int buttonId, int id, const char* name,
                         const QString& text, const QRect& rect) {
    auto* radio = AddCaptioned<QRadioButton>(id, name, rect, text);
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
    auto* button = AddCaptioned<PushButton>(id, name, rect, text);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
  }

  // A check box with what it means as its tooltip and its description for
  // screen readers.
  QCheckBox* AddCheck(int id, const char* name, const QString& text, const QRect& rect,
                      const QString& help = QString()) {
    auto* check = AddCaptioned<QCheckBox>(id, name, rect, text);
    if (!help.isEmpty()) {
      check->setToolTip(help);
      check->setAccessibleDescription(help);
    }
    return check;
  }

  QLabel* AddLabel(const char* name, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    Size(label, rect, true);
    return label;
  }

  // The controls made, in the order made, for the Tab key.
  const QList<QWidget*>& Made() const { return m_made; }

 private:
  // Exactly as high as the place; as wide as the place or, for a caption
  // that needs more, as its text needs.
  void Size(QWidget* widget, const QRect& rect, bool captioned) const {
    const int width = m_places.Across(rect.x(), rect.x() + rect.width());
    const int needed = captioned ? widget->sizeHint().width() : widget->minimumSizeHint().width();
    widget->setMinimumWidth(std::max(width, needed));
    widget->setFixedHeight(m_places.Down(rect.y(), rect.y() + rect.height()));
  }

  const Places& m_places;
  QList<QWidget*> m_made;
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

QHBoxLayout* Row() {
  auto* row = new QHBoxLayout;
  row->setSpacing(0);
  row->setContentsMargins(0, 0, 0, 0);
  return row;
}

QVBoxLayout* Column() {
  auto* column = new QVBoxLayout;
  column->setSpacing(0);
  column->setContentsMargins(0, 0, 0, 0);
  return column;
}

// `widget` at its own width on the left of its row, `indent` from the row's
// left edge.
QHBoxLayout* LeftInRow(QWidget* widget, int indent = 0) {
  QHBoxLayout* row = Row();
  if (indent > 0) row->addSpacing(indent);
  row->addWidget(widget);
  row->addStretch(1);
  return row;
}

}  // namespace

FormWidgets::FormWidgets(QWidget& form, kalvenor::FileSystem& fs) : m_form(form) {
  const Places places(form.font());
  FormBuilder builder(places);
  positionGroup = new QButtonGroup(&form);
  presortGroup = new QButtonGroup(&form);

  // The controls in the order the Tab key visits them, at their places:
  // x, y, width, height in dialog units of the form.
  const QRect baseNameGroupPlace(3, 1, 137, 27);
  baseName = builder.Add<QLineEdit>(kIdBaseName, "baseNameEdit", {9, 10, 126, 14});
  baseName->setValidator(new BaseNameValidator(baseName));
  const QRect baseIndexGroupPlace(3, 30, 61, 27);
  baseIndex = builder.Add<QLineEdit>(kIdBaseIndex, "baseIndexEdit", {9, 39, 47, 14});
  const QRect positionGroupPlace(67, 30, 106, 27);
  // The radio buttons of a row each take the room up to the next one.
  prefix = builder.AddRadio(*positionGroup, 0, kIdPrefix, "prefixRadio", AppTexts::PrefixCaption(),
                            {72, 41, 56, 10});
  postfix = builder.AddRadio(*positionGroup, 1, kIdPostfix, "postfixRadio",
                             AppTexts::PostfixCaption(), {128, 41, 36, 10});
  const QRect presortGroupPlace(3, 59, 170, 38);
  QRadioButton* alphanumeric =
      builder.AddRadio(*presortGroup, kalvenor::kSortByName, kIdAlphanumeric, "alphanumericRadio",
                       AppTexts::AlphanumericCaption(), {9, 71, 65, 10});
  QRadioButton* date = builder.AddRadio(*presortGroup, kalvenor::kSortByDate, kIdDate, "dateRadio",
                                        AppTexts::DateCaption(), {74, 71, 51, 10});
  QRadioButton* fileType =
      builder.AddRadio(*presortGroup, kalvenor::kSortByType, kIdFileType, "fileTypeRadio",
                       AppTexts::FileTypeCaption(), {125, 71, 45, 10});
  QRadioButton* dateTaken =
      builder.AddRadio(*presortGroup, kalvenor::kSortByTaken, kIdDateTaken, "dateTakenRadio",
                       AppTexts::DateTakenCaption(), {74, 83, 51, 10});
  ascending = builder.AddCheck(kIdAscending, "ascendingCheck", AppTexts::AscendingCaption(),
                               {9, 83, 65, 10});
  fillGaps = builder.AddCheck(kIdFillGaps, "fillGapsCheck", AppTexts::FillGapsCaption(),
                              {9, 100, 153, 10}, AppTexts::FillGapsHelp());
  photoSets = builder.AddCheck(kIdPhotoSets, "photoSetsCheck", AppTexts::PhotoSetsCaption(),
                               {9, 112, 153, 10}, AppTexts::PhotoSetsHelp());
  keepHidden = builder.AddCheck(kIdKeepHidden, "keepHiddenCheck", AppTexts::KeepHiddenCaption(),
                                {9, 124, 153, 10}, AppTexts::KeepHiddenHelp());
  const QRect logGroupPlace(3, 243, 171, 28);
  logFile = builder.Add<LogFileBox>(kIdLogFile, "logFileEdit", {6, 253, 107, 14});
  browse =
      builder.AddButton(kIdBrowse, "browseButton", AppTexts::BrowseCaption(), {119, 253, 50, 14});
  start = builder.AddButton(kIdStart, "startButton", AppTexts::StartCaption(), {180, 13, 50, 14});
  continueButton = builder.AddButton(kIdContinue, "continueButton", AppTexts::ContinueCaption(),
                                     {180, 31, 50, 14});
  undo =
      builder.AddButton(kIdUndoLast, "undoButton", AppTexts::UndoLastCaption(), {180, 49, 50, 14});
  help = builder.AddButton(kIdHelpButton, "helpButton", AppTexts::HelpCaption(), {180, 67, 50, 14});
  quit = builder.AddButton(kIdQuit, "quitButton", AppTexts::QuitCaption(), {180, 85, 50, 14});
  refresh = builder.AddButton(kIdRefresh, "refreshButton", AppTexts::RefreshCaption(),
                              {180, 238, 50, 14});
  tree = builder.Add<FolderTree>(kIdFolderTree, "folderTree", {236, 13, 135, 239}, fs);
  folderBox = builder.Add<FolderPathBox>(kIdFolder, "folderBox", {237, 257, 134, 14});
  folderBox->setReadOnly(true);
  folderBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  results = builder.Add<ResultsListBox>(kIdResults, "resultsList", {3, 147, 170, 94});
  QLabel* folderLabel = builder.AddLabel("folderLabel", AppTexts::FolderLabel(), {236, 2, 135, 8});
  QLabel* resultsLabel =
      builder.AddLabel("resultsLabel", AppTexts::ResultsLabel(), {3, 136, 123, 8});
  folderLabel->setBuddy(tree);
  resultsLabel->setBuddy(results);

  // The groups: each holds its controls, so that screen readers name the
  // group with them, and the letter of a box's group takes Alt to the box.
  const auto group = [&](const char* name, const QString& title, const QRect& place,
                         const QRect& contents, QLayout* layout) {
    auto* box = new GroupBox(title, places.Inset(place, contents), layout, nullptr);
    box->setObjectName(QLatin1String(name));
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return box;
  };
  // The two boxes keep the width of their places: their own preferred
  // width (room for 17 characters) is not theirs to take.
  baseName->setFixedWidth(baseName->minimumWidth());
  baseIndex->setFixedWidth(baseIndex->minimumWidth());
  QHBoxLayout* baseNameRow = Row();
  baseNameRow->addWidget(baseName);
  auto* baseNameGroup = group("baseNameGroup", AppTexts::BaseNameGroup(), baseNameGroupPlace,
                              {9, 10, 126, 14}, baseNameRow);
  QHBoxLayout* baseIndexRow = Row();
  baseIndexRow->addWidget(baseIndex);
  auto* baseIndexGroup = group("baseIndexGroup", AppTexts::BaseIndexGroup(), baseIndexGroupPlace,
                               {9, 39, 47, 14}, baseIndexRow);
  QHBoxLayout* positionRow = Row();
  positionRow->addWidget(prefix);
  positionRow->addWidget(postfix);
  auto* positionBox = group("indexPositionGroup", AppTexts::IndexPositionGroup(),
                            positionGroupPlace, {72, 41, 92, 10}, positionRow);
  auto* presortGrid = new QGridLayout;
  presortGrid->setHorizontalSpacing(0);
  presortGrid->setVerticalSpacing(places.Down(81, 83));
  presortGrid->addWidget(alphanumeric, 0, 0);
  presortGrid->addWidget(date, 0, 1);
  presortGrid->addWidget(fileType, 0, 2);
  presortGrid->addWidget(ascending, 1, 0);
  presortGrid->addWidget(dateTaken, 1, 1);
  auto* presortBox = group("presortTypeGroup", AppTexts::PresortTypeGroup(), presortGroupPlace,
                           {9, 71, 161, 22}, presortGrid);
  QHBoxLayout* logRow = Row();
  logRow->addWidget(logFile, 1);
  logRow->addSpacing(places.Across(113, 119));
  logRow->addWidget(browse);
  auto* logGroup =
      group("logFileGroup", AppTexts::LogFileGroup(), logGroupPlace, {6, 253, 163, 14}, logRow);

  // The form's side: the choices, Results and the log on the left, which
  // take its extra width; the buttons on the right, beside the tree.
  QVBoxLayout* choices = Column();
  choices->addSpacing(places.Down(0, 1));
  choices->addLayout(LeftInRow(baseNameGroup));
  choices->addSpacing(places.Down(28, 30));
  QHBoxLayout* indexRow = Row();
  indexRow->addWidget(baseIndexGroup);
  indexRow->addSpacing(places.Across(64, 67));
  indexRow->addWidget(positionBox);
  indexRow->addStretch(1);
  choices->addLayout(indexRow);
  choices->addSpacing(places.Down(57, 59));
  choices->addLayout(LeftInRow(presortBox));
  choices->addSpacing(places.Down(97, 100));
  choices->addLayout(LeftInRow(fillGaps, places.Across(3, 9)));
  choices->addSpacing(places.Down(110, 112));
  choices->addLayout(LeftInRow(photoSets, places.Across(3, 9)));
  choices->addSpacing(places.Down(122, 124));
  choices->addLayout(LeftInRow(keepHidden, places.Across(3, 9)));
  choices->addSpacing(places.Down(134, 136));
  choices->addLayout(LeftInRow(resultsLabel));
  choices->addSpacing(places.Down(144, 147));
  QHBoxLayout* resultsRow = Row();
  resultsRow->addWidget(results, 1);
  resultsRow->addSpacing(places.Across(173, 174));
  results->setMinimumHeight(results->height());
  results->setMaximumHeight(QWIDGETSIZE_MAX);
  results->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  choices->addLayout(resultsRow, 1);
  choices->addSpacing(places.Down(241, 243));
  choices->addWidget(logGroup);
  choices->addSpacing(places.Down(271, kFormSize.height()));

  QVBoxLayout* buttons = Column();
  buttons->addSpacing(places.Down(0, 13));
  buttons->addWidget(start);
  buttons->addSpacing(places.Down(27, 31));
  buttons->addWidget(continueButton);
  buttons->addSpacing(places.Down(45, 49));
  buttons->addWidget(undo);
  buttons->addSpacing(places.Down(63, 67));
  buttons->addWidget(help);
  buttons->addSpacing(places.Down(81, 85));
  buttons->addWidget(quit);
  buttons->addStretch(1);
  buttons->addWidget(refresh);
  buttons->addSpacing(places.Down(252, kFormSize.height()));

  auto* formSide = new QWidget;
  formSide->setObjectName(QStringLiteral("formSide"));
  QHBoxLayout* formRow = Row();
  formRow->addSpacing(places.Across(0, 3));
  formRow->addLayout(choices, 1);
  formRow->addSpacing(places.Across(174, 180));
  formRow->addLayout(buttons);
  formSide->setLayout(formRow);

  // The tree's side: the label, the tree (which takes the extra room) and
  // the folder box.
  tree->setMinimumHeight(tree->height());
  tree->setMaximumHeight(QWIDGETSIZE_MAX);
  tree->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  auto* treeSide = new QWidget;
  treeSide->setObjectName(QStringLiteral("treeSide"));
  QVBoxLayout* treeColumn = Column();
  treeColumn->setContentsMargins(0, 0, places.Across(371, kFormSize.width()), 0);
  treeColumn->addSpacing(places.Down(0, 2));
  treeColumn->addWidget(folderLabel);
  treeColumn->addSpacing(places.Down(10, 13));
  treeColumn->addWidget(tree, 1);
  treeColumn->addSpacing(places.Down(252, 257));
  QHBoxLayout* folderRow = Row();
  folderRow->addSpacing(places.Across(236, 237));
  folderRow->addWidget(folderBox, 1);
  treeColumn->addLayout(folderRow);
  treeColumn->addSpacing(places.Down(271, kFormSize.height()));
  treeSide->setLayout(treeColumn);

  splitter = new QSplitter(Qt::Horizontal);
  splitter->setObjectName(QStringLiteral("formSplitter"));
  splitter->setChildrenCollapsible(false);
  splitter->setHandleWidth(places.Across(kFormSideRight, kTreeSideLeft));
  splitter->addWidget(formSide);
  splitter->addWidget(treeSide);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 1);
  QHBoxLayout* whole = Row();
  whole->addWidget(splitter);
  form.setLayout(whole);

  announcer = new RunAnnouncer(&form);

  // Screen readers announce a box by the label it stands under; buttons and
  // check boxes by their own text, with the group they stand in.
  baseName->setAccessibleName(AppTexts::BaseNameName());
  baseIndex->setAccessibleName(AppTexts::BaseIndexName());
  logFile->setAccessibleName(AppTexts::LogFileName());
  tree->setAccessibleName(AppTexts::FolderLabel());
  folderBox->setAccessibleName(AppTexts::SelectedFolderName());
  results->setAccessibleName(AppTexts::ResultsLabel());
  continueButton->setEnabled(false);

  // Tab goes round the controls in the order they were made.
  const QList<QWidget*>& made = builder.Made();
  for (qsizetype i = 1; i < made.size(); ++i) QWidget::setTabOrder(made[i - 1], made[i]);
}

QSize FormWidgets::FormSize() const {
  return Places(m_form.font()).Size(kFormSize).expandedTo(m_form.minimumSizeHint());
}

int FormWidgets::Split() const {
  const QList<int> sizes = splitter->sizes();
  const int total = sizes.value(0) + sizes.value(1);
  if (total <= 0) return 0;
  return static_cast<int>(std::lround(1000.0 * sizes.value(0) / total));
}

void FormWidgets::SetSplit(int perMille) {
  if (perMille <= 0) return;
  perMille = std::min(perMille, 999);
  // Weights: the splitter shares its width out in their proportion, now and
  // whenever it is resized.
  splitter->setSizes({perMille, 1000 - perMille});
}

void FormWidgets::ShowStoredChoices(const SettingsRecord& settings) {
  fillGaps->setChecked(settings.gaps != 0);
  ascending->setChecked(settings.ascending != 0);
  photoSets->setChecked(settings.sets != 0);
  keepHidden->setChecked(settings.keepHidden != 0);
  baseIndex->setText(AppTexts::BaseIndexStart());
  (settings.postfix != 0 ? postfix : prefix)->setChecked(true);
  const int stored = settings.sort;
  const bool known = stored == kalvenor::kSortByName || stored == kalvenor::kSortByDate ||
                     stored == kalvenor::kSortByTaken;
  presortGroup->button(known ? stored : kalvenor::kSortByType)->setChecked(true);
}

kalvenor::RenameOptions FormWidgets::Choices() const {
  kalvenor::RenameOptions choices;
  choices.postfix = postfix->isChecked();
  choices.sortType = std::max(presortGroup->checkedId(), kalvenor::kSortByName);
  choices.fillGaps = fillGaps->isChecked();
  choices.ascending = ascending->isChecked();
  choices.photoSets = photoSets->isChecked();
  choices.keepHidden = keepHidden->isChecked();
  choices.baseIndex = kalvenor::ParseBaseIndex(baseIndex->text().toStdString());
  return choices;
}
