// The form's controls and how they stand: the one place that knows them.
// FormWidgets makes every control on the form widget it is given, each of
// its own type, named for its role (startButton, resultsList), with its
// control ID (resource_ids.h) and its text (app_texts.h); the Tab key
// visits them in the order they are made.
//
// They stand in Qt layouts: the form's side (the groups of choices, the
// Results list, the log file, the buttons) and the folder tree's side
// (its label, the tree, the folder box) are the two sides of a splitter
// that the user may move. At the form's own size every control stands
// where its place in dialog units of the form's font puts it; a control
// whose text needs more room than its place (a longer translation) grows,
// and the form with it. Given more room, the Results list takes the
// extra height and its side's extra width, the tree the extra height and
// its side's extra width; everything else keeps its size.
//
// The controls are children of the form and owned by it; FormWidgets holds
// pointers to them, as public fields the way a Designer form's Ui class
// does, and no logic of the form's.
#pragma once

#include <QSize>

#include "file_system.h"
#include "rename_options.h"
#include "settings_record.h"

class FolderPathBox;
class FolderTree;
class LogFileBox;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSplitter;
class QWidget;
class ResultsListBox;
class RunAnnouncer;

class FormWidgets {
 public:
  // Makes the controls on `form`, which gets the layout; the tree reads
  // through `fs`, which must outlive every read the tree starts (see
  // ReadPool).
  FormWidgets(QWidget& form, kalvenor::FileSystem& fs);

  // The form's own size in pixels: its place in dialog units of its font,
  // or more where a text needs more room.
  QSize FormSize() const;

  // The form side's share of the splitter in thousandths, as the "Split"
  // setting keeps it.
  int Split() const;
  // Gives the form side `perMille` thousandths of the splitter (as far as
  // both sides' own widths allow); 0 or less leaves the split alone.
  void SetSplit(int perMille);

  // Shows the stored choices: the check boxes, the position and the
  // presort (any presort value but Alphanumeric's, Date's and Date Taken's
  // selects File Type), and "0" in the Base Index box.
  void ShowStoredChoices(const SettingsRecord& settings);
  // The choices the boxes hold now, as a run takes them: position, presort,
  // direction, gaps, photo sets, hidden files, and the base index as read
  // from its box (0 for what does not read as an index).
  kalvenor::RenameOptions Choices() const;

  FolderTree* tree = nullptr;
  FolderPathBox* folderBox = nullptr;
  ResultsListBox* results = nullptr;
  QLineEdit* baseName = nullptr;
  QLineEdit* baseIndex = nullptr;
  LogFileBox* logFile = nullptr;
  QRadioButton* prefix = nullptr;
  QRadioButton* postfix = nullptr;
  // The buttons' IDs are the values they stand for: the stored Postfix
  // choice for the position, the presort type for the presort.
  QButtonGroup* positionGroup = nullptr;
  QButtonGroup* presortGroup = nullptr;
  QCheckBox* ascending = nullptr;
  QCheckBox* fillGaps = nullptr;
  QCheckBox* photoSets = nullptr;
  QCheckBox* keepHidden = nullptr;
  QPushButton* start = nullptr;
  QPushButton* continueButton = nullptr;
  QPushButton* undo = nullptr;
  QPushButton* help = nullptr;
  QPushButton* quit = nullptr;
  QPushButton* refresh = nullptr;
  QPushButton* browse = nullptr;
  QSplitter* splitter = nullptr;
  // Tells screen readers how a run ended.
  RunAnnouncer* announcer = nullptr;

 private:
  QWidget& m_form;
};
