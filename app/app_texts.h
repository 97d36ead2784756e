// Every text the desktop program shows, in one place and exactly as shown in
// English, each through Qt's translation (QCoreApplication::translate) so
// that the window speaks the user's language where a translation is
// installed (translations.h): the form's labels, its tooltips and the texts
// screen readers read, the menus, the progress dialog, the dialogs and their
// messages, the about box. The engine's own texts (Results lines, rename
// errors, "Cannot open log file.") are written by the engine in English and
// translated where the window shows them (run_text_translation.h).
//
// The translation contexts group what a translator sees together:
// "MainWindow" holds the form's captions and the menu bar's titles, whose
// underlined letters (after '&') share one window and must differ from
// each other; "FileMenu" and "HelpMenu" the items of each menu, whose
// letters differ within the menu. The version comes from the project
// (kalvenor_version.h); names and settings keys are not translated.
#pragma once

#include <QCoreApplication>
#include <QString>

#include "kalvenor_version.h"

namespace AppTexts {

// The application.
inline QString AppName() { return QStringLiteral("Kalvenor"); }
inline QString Version() { return QStringLiteral(KALVENOR_VERSION_SHOWN); }
inline QString Organization() { return QStringLiteral("Tessavoy"); }
inline QString Untitled() { return QCoreApplication::translate("MainWindow", "Untitled"); }
inline QString CaptionSeparator() { return QStringLiteral(" - "); }
inline QString DesktopFileName() { return QStringLiteral("com.tessavoy.Kalvenor"); }
inline QString HelpFailed() {
  return QCoreApplication::translate("AppTexts", "Failed to launch help.");
}
// The command line's --help, written before any translation is loaded.
inline QString CommandLineDescription() {
  return QStringLiteral("Renames every file of a folder into a numbered series.");
}
inline QString FolderArgument() { return QStringLiteral("FOLDER"); }
inline QString FolderArgumentHelp() {
  return QStringLiteral("The folder to select instead of the last one.");
}
inline QString FolderArgumentSyntax() { return QStringLiteral("[FOLDER]"); }

// The form's controls. A '&' marks the letter that Alt takes to the
// control; no two controls of the window (the menu bar's titles included)
// share one.
inline QString PrefixCaption() { return QCoreApplication::translate("MainWindow", "&Prefix"); }
inline QString PostfixCaption() { return QCoreApplication::translate("MainWindow", "P&ostfix"); }
inline QString AlphanumericCaption() {
  return QCoreApplication::translate("MainWindow", "&Alphanumeric");
}
inline QString DateCaption() { return QCoreApplication::translate("MainWindow", "&Date"); }
inline QString FileTypeCaption() { return QCoreApplication::translate("MainWindow", "File &Type"); }
inline QString DateTakenCaption() {
  return QCoreApplication::translate("MainWindow", "Date Ta&ken");
}
inline QString AscendingCaption() {
  return QCoreApplication::translate("MainWindow", "Ascend&ing");
}
inline QString FillGapsCaption() {
  return QCoreApplication::translate("MainWindow", "Fill &gaps in numbers");
}
inline QString PhotoSetsCaption() {
  return QCoreApplication::translate("MainWindow", "&Number photo sets as one");
}
inline QString KeepHiddenCaption() {
  return QCoreApplication::translate("MainWindow", "Lea&ve hidden files alone");
}
inline QString BrowseCaption() { return QCoreApplication::translate("MainWindow", "&Browse..."); }
inline QString StartCaption() { return QCoreApplication::translate("MainWindow", "&Start"); }
inline QString ContinueCaption() { return QCoreApplication::translate("MainWindow", "&Continue"); }
inline QString UndoLastCaption() { return QCoreApplication::translate("MainWindow", "&Undo Last"); }
inline QString HelpCaption() { return QCoreApplication::translate("MainWindow", "H&elp"); }
inline QString QuitCaption() { return QCoreApplication::translate("MainWindow", "&Quit"); }
inline QString RefreshCaption() { return QCoreApplication::translate("MainWindow", "&Refresh ->"); }
inline QString FolderLabel() {
  return QCoreApplication::translate("MainWindow", "Select folder to kalvenor");
}
inline QString ResultsLabel() { return QCoreApplication::translate("MainWindow", "Results"); }
// The group titles; the letter of a box's group takes Alt to the box.
inline QString BaseNameGroup() { return QCoreApplication::translate("MainWindow", "Base Na&me"); }
inline QString BaseIndexGroup() { return QCoreApplication::translate("MainWindow", "Base Inde&x"); }
inline QString IndexPositionGroup() {
  return QCoreApplication::translate("MainWindow", "Index Position");
}
inline QString PresortTypeGroup() {
  return QCoreApplication::translate("MainWindow", "Presort Type");
}
inline QString LogFileGroup() { return QCoreApplication::translate("MainWindow", "&Log File"); }
// What the Base Index box holds at start.
inline QString BaseIndexStart() { return QStringLiteral("0"); }

// What screen readers read for the boxes, which have no caption of their
// own, and what the check boxes mean (their tooltip and description).
inline QString BaseNameName() { return QCoreApplication::translate("MainWindow", "Base Name"); }
inline QString BaseIndexName() { return QCoreApplication::translate("MainWindow", "Base Index"); }
inline QString LogFileName() { return QCoreApplication::translate("MainWindow", "Log File"); }
inline QString SelectedFolderName() {
  return QCoreApplication::translate("MainWindow", "Selected folder");
}
inline QString FillGapsHelp() {
  return QCoreApplication::translate(
      "MainWindow",
      "On: numbers left free between those already in use are given first. Off: numbering goes "
      "on after the highest number in use.");
}
inline QString PhotoSetsHelp() {
  return QCoreApplication::translate(
      "MainWindow",
      "On: the files of one picture (a raw file, its JPEG, their sidecars, a Live Photo's still "
      "and film) share one number.");
}
inline QString KeepHiddenHelp() {
  return QCoreApplication::translate(
      "MainWindow",
      "On: hidden files (names beginning with a dot, Thumbs.db, desktop.ini, .DS_Store) keep "
      "their names. Off: they are numbered like every other file.");
}

// The progress dialog of a run that takes a while.
inline QString ReadingFolder() {
  return QCoreApplication::translate("Progress", "Reading the folder\u2026");
}
inline QString ReadingCaptureTimes() {
  return QCoreApplication::translate("Progress", "Reading capture times\u2026");
}
inline QString RenamingFiles() {
  return QCoreApplication::translate("Progress", "Renaming files\u2026");
}
inline QString RenamingFilesBack() {
  return QCoreApplication::translate("Progress", "Renaming files back\u2026");
}
inline QString Stopping() { return QCoreApplication::translate("Progress", "Stopping\u2026"); }
inline QString Cancel() { return QCoreApplication::translate("Progress", "Cancel"); }
// QProgressBar's format: files done (%v) of the total (%m).
inline QString FilesDoneOfTotal() {
  return QCoreApplication::translate("Progress", "%v of %m files");
}
// The bar's name for screen readers.
inline QString FilesDoneName() { return QCoreApplication::translate("Progress", "Files done"); }

// The log file choosers (their titles are Qt's own). A chosen name without an extension gets the
// suffix, lower case so that it matches the filter's "*.log" on a file
// system that tells cases apart.
inline QString LogFilesFilter() {
  return QCoreApplication::translate("FileDialogs", "Log files (*.log)");
}
inline QString AllFilesFilter() {
  return QCoreApplication::translate("FileDialogs", "All files (*)");
}
inline QString LogSuffix() { return QStringLiteral("log"); }

// File > Undo from Log File...
inline QString NothingToUndo() {
  return QCoreApplication::translate("Messages", "Nothing to undo.");
}
inline QString CannotUndoFromLog(const QString& shownPath, const QString& reason) {
  return QCoreApplication::translate("Messages", "Cannot undo from log file %1: %2.")
      .arg(shownPath, reason);
}
inline QString FileCount(qsizetype count) {
  if (count == 1) return QCoreApplication::translate("Messages", "1 file");
  // The count apart: lupdate does not read a cast among translate()'s arguments.
  const int files = static_cast<int>(count);
  return QCoreApplication::translate("Messages", "%n files", nullptr, files);
}
inline QString UndoFromLogQuestion(const QString& files, const QString& batchTime) {
  return QCoreApplication::translate(
             "Messages", "Rename %1 of the batch of %2 back to the names they had before it?")
      .arg(files, batchTime);
}

// The main window's menus.
inline QString FileMenu() { return QCoreApplication::translate("MainWindow", "&File"); }
inline QString HelpMenu() { return QCoreApplication::translate("MainWindow", "&Help"); }
inline QString UndoFromLogCommand() {
  return QCoreApplication::translate("FileMenu", "Undo from &Log File\u2026");
}
inline QString ExitCommand() { return QCoreApplication::translate("FileMenu", "E&xit"); }
inline QString HelpContentsCommand() {
  return QCoreApplication::translate("HelpMenu", "&Help on Kalvenor");
}
inline QString AboutCommand() {
  return QCoreApplication::translate("HelpMenu", "&About Kalvenor...");
}

// The about box.
inline QString AboutCaption() { return QCoreApplication::translate("AboutBox", "About Kalvenor"); }
inline QString VersionLine() {
  return QCoreApplication::translate("AboutBox", "Kalvenor Version %1").arg(Version());
}
inline QString MakerLine() { return QStringLiteral("Copyright (C) 2026 Tessavoy"); }
inline QString Ok() { return QCoreApplication::translate("AboutBox", "OK"); }

}  // namespace AppTexts
