// The application: starts the program and ends it. It owns the settings
// record for the life of the process (loaded once at start, written once at
// exit), the file system every part works through, the document, the main
// window with its form, the form's dialogs and the help command. SIGTERM,
// SIGINT and SIGHUP close the main window the normal way, so that the
// settings are written then too.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "file_system.h"
#include "help_launcher.h"
#include "settings_record.h"

class KalvenorDoc;
class KalvenorView;
class MainFrame;
class QuitSignals;
class QSettings;
class WindowDialogs;

class KalvenorApp : public QObject {
  Q_OBJECT

 public:
  // Uses the per-user store of "Tessavoy"/"Kalvenor". A QApplication must
  // exist for the life of the object.
  KalvenorApp();
  // Uses the settings file `settingsFile` instead (INI format).
  explicit KalvenorApp(const QString& settingsFile);
  ~KalvenorApp() override;

  // Selects `folder` at start instead of the stored folder: the bytes as
  // given, relative to the working folder when not absolute. Called before
  // InitInstance.
  void SetStartFolder(const std::string& folder) { m_startFolder = folder; }

  // Loads the settings, creates the document, the main window and the form,
  // runs the form's initial update and shows the window. Gives false when
  // the window could not be made.
  bool InitInstance();
  // Writes the settings back; gives the process exit code.
  int ExitInstance(int loopResult);
  // InitInstance, the event loop, ExitInstance.
  int Run();

  void OnAppAbout();
  void OnHelpContents();

  SettingsRecord& Settings() { return m_settings; }
  MainFrame* Frame() const { return m_frame.get(); }
  KalvenorView* View() const { return m_view; }
  HelpLauncher& Help() { return m_help; }

 private:
  // Deletes the file system, unless disk work that was given up (a read
  // blocked on a hung share) may still call into it: then it stays for
  // the rest of the process, which the exit does not wait for.
  struct KeepWhileWorkRuns {
    void operator()(kalvenor::FileSystem* fs) const;
  };

  std::unique_ptr<QSettings> OpenStore() const;
  void OnQuitSignal();

  QString m_settingsFile;     // empty: the per-user store
  std::string m_startFolder;  // empty: the stored folder
  // First: it goes after everything that works through it.
  std::unique_ptr<kalvenor::FileSystem, KeepWhileWorkRuns> m_fs;
  SettingsRecord m_settings;
  HelpLauncher m_help;
  std::unique_ptr<QuitSignals> m_quitSignals;
  std::unique_ptr<KalvenorDoc> m_doc;
  std::unique_ptr<WindowDialogs> m_dialogs;  // before the frame, whose form asks through them
  std::unique_ptr<MainFrame> m_frame;
  KalvenorView* m_view = nullptr;  // owned by the frame
};
