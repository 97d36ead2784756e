#include "kalvenor_app.h"

#include <QApplication>
#include <QSettings>

#include "about_dlg.h"
#include "app_texts.h"
#include "kalvenor_doc.h"
#include "kalvenor_view.h"
#include "main_frame.h"
#include "posix_file_system.h"
#include "quit_signals.h"
#include "read_pool.h"
#include "start_arguments.h"
#include "window_dialogs.h"

void KalvenorApp::KeepWhileWorkRuns::operator()(kalvenor::FileSystem* fs) const {
  if (ReadPool::WorkRunning() == 0) delete fs;
}

KalvenorApp::KalvenorApp() : KalvenorApp(QString()) {}

KalvenorApp::KalvenorApp(const QString& settingsFile)
    : m_settingsFile(settingsFile), m_fs(new kalvenor::PosixFileSystem) {
  // The signals are caught from the very start, so that one that arrives
  // while the window is being made still ends the program through its exit.
  m_quitSignals = std::make_unique<QuitSignals>();
  connect(m_quitSignals.get(), &QuitSignals::quitRequested, this, &KalvenorApp::OnQuitSignal);
}

KalvenorApp::~KalvenorApp() = default;

std::unique_ptr<QSettings> KalvenorApp::OpenStore() const {
  if (!m_settingsFile.isEmpty()) {
    return std::make_unique<QSettings>(m_settingsFile, QSettings::IniFormat);
  }
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     AppTexts::Organization(), AppTexts::AppName());
}

bool KalvenorApp::InitInstance() {
  QApplication::setApplicationName(AppTexts::AppName());
  QApplication::setOrganizationName(AppTexts::Organization());
  // Names the desktop entry before the window exists, so that the desktop
  // (on Wayland, through the window's application id) matches the window to
  // the entry's name and icon.
  QGuiApplication::setDesktopFileName(AppTexts::DesktopFileName());
  const std::string workingDir = m_fs->WorkingDirectory().value_or(std::string());
  {
    const std::unique_ptr<QSettings> store = OpenStore();
    m_settings = LoadSettings(*store, workingDir);
  }
  // The folder given on the command line is selected as a stored one would
  // be, and so becomes the stored one.
  if (!m_startFolder.empty()) m_settings.dir = StartFolderPath(m_startFolder, workingDir);

  m_doc = std::make_unique<KalvenorDoc>();
  m_frame = std::make_unique<MainFrame>(*m_doc);
  m_dialogs = std::make_unique<WindowDialogs>(m_frame.get());
  m_view = new KalvenorView(m_settings, *m_doc, *m_fs, *m_dialogs);
  m_frame->SetForm(m_view);
  m_help.SetParentWindow(m_frame.get());
  connect(m_view, &KalvenorView::helpRequested, this, &KalvenorApp::OnHelpContents);
  connect(m_frame.get(), &MainFrame::undoFromLogRequested, m_view, &KalvenorView::OnUndoFromLog);
  connect(m_view, &KalvenorView::runningChanged, m_frame.get(), &MainFrame::OnRunningChanged);
  connect(m_frame.get(), &MainFrame::helpRequested, this, &KalvenorApp::OnHelpContents);
  connect(m_frame.get(), &MainFrame::aboutRequested, this, &KalvenorApp::OnAppAbout);

  m_view->OnInitialUpdate();
  m_frame->show();
  return true;
}

int KalvenorApp::ExitInstance(int loopResult) {
  if (m_view != nullptr) m_view->RememberWindow();
  const std::unique_ptr<QSettings> store = OpenStore();
  SaveSettings(m_settings, *store);
  return loopResult;
}

int KalvenorApp::Run() {
  if (!InitInstance()) return ExitInstance(1);
  const int loopResult = QApplication::exec();
  return ExitInstance(loopResult);
}

void KalvenorApp::OnAppAbout() {
  auto* about = new AboutDlg(m_frame.get());
  about->setAttribute(Qt::WA_DeleteOnClose);
  about->open();
}

void KalvenorApp::OnHelpContents() { m_help.Launch(); }

void KalvenorApp::OnQuitSignal() {
  // From now on nothing may wait for the user: the form's dialogs close,
  // and its messages go to the terminal.
  if (m_dialogs != nullptr) m_dialogs->StopAsking();
  m_help.showFailure = [](const QString&) {};
  // Close the open dialogs first, then the main window, as the user would.
  for (int guard = 0; guard < 16; ++guard) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == m_frame.get()) break;
    modal->close();
  }
  if (m_frame != nullptr) {
    m_frame->close();
  } else {
    QApplication::quit();
  }
}
