// Every text the desktop program shows, in one place and exactly as shown:
// the program's name and version, the form's labels and messages, the
// progress dialog, the dialogs, the menus and the about box. The engine's
// own texts (Results lines, rename errors, "Cannot open log file.") stay
// with the engine. The version comes from the project (kalvenor_version.h).
#pragma once

#include <QCoreApplication>
#include <QString>

#include "kalvenor_version.h"

namespace AppTexts {

// The application.
inline QString AppName() { return QStringLiteral("Kalvenor"); }
inline QString Version() { return QStringLiteral(KALVENOR_VERSION_SHOWN); }
inline QString Organization() { return QStringLiteral("Tessavoy"); }
inline QString Untitled() { return QStringLiteral("Untitled"); }
inline QString CaptionSeparator() { return QStringLiteral(" - "); }
inline QString DesktopFileName() { return QStringLiteral("com.tessavoy.Kalvenor"); }
inline QString HelpFailed() {
  return QCoreApplication::translate("AppTexts", "Failed to launch help.");
}
// The command line's --help.
inline QString CommandLineDescription() {
  return QStringLiteral("Renames every file of a folder into a numbered series.");
}
inline QString FolderArgument() { return QStringLiteral("FOLDER"); }
inline QString FolderArgumentHelp() {
  return QStringLiteral("The folder to select instead of the last one.");
}
inline QString FolderArgumentSyntax() { return QStringLiteral("[FOLDER]"); }

// The form's controls: captions, and the names screen readers announce for
// the boxes, which have no caption of their own.
inline QString PrefixCaption() { return QStringLiteral("Prefix"); }
inline QString PostfixCaption() { return QStringLiteral("Postfix"); }
inline QString AlphanumericCaption() { return QStringLiteral("Alphanumeric"); }
inline QString DateCaption() { return QStringLiteral("Date"); }
inline QString FileTypeCaption() { return QStringLiteral("File Type"); }
inline QString AscendingCaption() { return QStringLiteral("Ascending"); }
inline QString FillGapsCaption() { return QStringLiteral("Fill gaps in numbers"); }
inline QString BrowseCaption() { return QStringLiteral("Browse..."); }
inline QString StartCaption() { return QStringLiteral("Start"); }
inline QString ContinueCaption() { return QStringLiteral("Continue"); }
inline QString UndoLastCaption() { return QStringLiteral("Undo Last"); }
inline QString HelpCaption() { return QStringLiteral("Help"); }
inline QString QuitCaption() { return QStringLiteral("Quit"); }
inline QString RefreshCaption() { return QStringLiteral("Refresh ->"); }
inline QString FolderLabel() { return QStringLiteral("Select folder to kalvenor"); }
inline QString ResultsLabel() { return QStringLiteral("Results"); }
inline QString BaseNameGroup() { return QStringLiteral("Base Name"); }
inline QString BaseIndexGroup() { return QStringLiteral("Base Index"); }
inline QString IndexPositionGroup() { return QStringLiteral("Index Position"); }
inline QString PresortTypeGroup() { return QStringLiteral("Presort Type"); }
inline QString LogFileGroup() { return QStringLiteral("Log File"); }
inline QString SelectedFolderName() { return QStringLiteral("Selected folder"); }
// What the Base Index box holds at start.
inline QString BaseIndexStart() { return QStringLiteral("0"); }

// The progress dialog of a run that takes a while.
inline QString ReadingFolder() { return QStringLiteral("Reading the folder\u2026"); }
inline QString RenamingFiles() { return QStringLiteral("Renaming files\u2026"); }
inline QString RenamingFilesBack() { return QStringLiteral("Renaming files back\u2026"); }
inline QString Stopping() { return QStringLiteral("Stopping\u2026"); }
inline QString Cancel() { return QStringLiteral("Cancel"); }
// QProgressBar's format: files done (%v) of the total (%m).
inline QString FilesDoneOfTotal() { return QStringLiteral("%v of %m files"); }

// The log file choosers. A chosen name without an extension gets the
// suffix, lower case so that it matches the filter's "*.log" on a file
// system that tells cases apart.
inline QString LogFilesFilter() { return QStringLiteral("Log files (*.log)"); }
inline QString AllFilesFilter() { return QStringLiteral("All files (*)"); }
inline QString LogSuffix() { return QStringLiteral("log"); }

// File > Undo from Log File...
inline QString NothingToUndo() { return QStringLiteral("Nothing to undo."); }
inline QString CannotUndoFromLog(const QString& shownPath, const QString& reason) {
  return QStringLiteral("Cannot undo from log file %1: %2.").arg(shownPath, reason);
}
inline QString FileCount(qsizetype count) {
  return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}
inline QString UndoFromLogQuestion(const QString& files, const QString& batchTime) {
  return QStringLiteral("Rename %1 of the batch of %2 back to the names they had before it?")
      .arg(files, batchTime);
}

// The main window's menus.
inline QString FileMenu() { return QStringLiteral("&File"); }
inline QString UndoFromLogCommand() { return QStringLiteral("Undo from &Log File\u2026"); }
inline QString ExitCommand() { return QStringLiteral("E&xit"); }
inline QString HelpMenu() { return QStringLiteral("&Help"); }
inline QString HelpContentsCommand() { return QStringLiteral("Help on Kalvenor"); }
inline QString AboutCommand() { return QStringLiteral("&About Kalvenor..."); }

// The about box.
inline QString AboutCaption() { return QStringLiteral("About Kalvenor"); }
inline QString VersionLine() { return QStringLiteral("Kalvenor Version ") + Version(); }
inline QString MakerLine() { return QStringLiteral("Copyright (C) 2026 Tessavoy"); }
inline QString Ok() { return QStringLiteral("OK"); }

}  // namespace AppTexts
