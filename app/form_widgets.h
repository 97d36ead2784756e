// The form's controls and where they stand: the one place that knows them.
// FormWidgets makes every control on the form widget it is given, each of
// its own type, named for its role (startButton, resultsList), with its
// control ID (resource_ids.h), its text (app_texts.h) and its place in
// dialog units of the form's font; the Tab key visits them in the order
// they are made. It keeps the folder tree as wide as the form allows: the
// tree's left edge, top and height stay, and its right edge keeps its
// distance from the form's right edge.
//
// The controls are children of the form and owned by it; FormWidgets holds
// pointers to them, as public fields the way a Designer form's Ui class
// does, and no logic of the form's.
#pragma once

#include <QRect>
#include <QSize>

#include "file_system.h"
#include "rename_options.h"
#include "settings_record.h"

class FolderPathBox;
class FolderTree;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class ResultsListBox;

class FormWidgets {
 public:
  // Makes the controls on `form`; the tree reads through `fs`, which must
  // outlive every read the tree starts (see ReadPool).
  FormWidgets(QWidget& form, kalvenor::FileSystem& fs);

  // The form's size in pixels in its current font.
  QSize FormSize() const;
  // Takes the tree's place as it stands now as the one to keep (once, when
  // the form is shown), and places it.
  void RecordTreePlace();
  // Places the tree for the form's width now; nothing before RecordTreePlace.
  void PlaceTree();

  // Shows the stored choices: the check boxes, the position and the
  // presort (any presort value but Alphanumeric's and Date's selects File
  // Type), and "0" in the Base Index box.
  void ShowStoredChoices(const SettingsRecord& settings);
  // The choices the boxes hold now, as a run takes them: position, presort,
  // direction, gaps, and the base index as read from its box (0 for what
  // does not read as an index).
  kalvenor::RenameOptions Choices() const;

  FolderTree* tree = nullptr;
  FolderPathBox* folderBox = nullptr;
  ResultsListBox* results = nullptr;
  QLineEdit* baseName = nullptr;
  QLineEdit* baseIndex = nullptr;
  QLineEdit* logFile = nullptr;
  QRadioButton* prefix = nullptr;
  QRadioButton* postfix = nullptr;
  // The buttons' IDs are the values they stand for: the stored Postfix
  // choice for the position, the presort type for the presort.
  QButtonGroup* positionGroup = nullptr;
  QButtonGroup* presortGroup = nullptr;
  QCheckBox* ascending = nullptr;
  QCheckBox* fillGaps = nullptr;
  QPushButton* start = nullptr;
  QPushButton* continueButton = nullptr;
  QPushButton* undo = nullptr;
  QPushButton* help = nullptr;
  QPushButton* quit = nullptr;
  QPushButton* refresh = nullptr;
  QPushButton* browse = nullptr;

 private:
  QWidget& m_form;
  QRect m_treeRect;
  QRect m_clientRect;
  bool m_placeRecorded = false;
};
