// The desktop program: one window over the renaming engine.
//
//   kalvenor [FOLDER]
//
// FOLDER, when given, is selected in the folder tree instead of the folder
// of the last session.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include "app_texts.h"
#include "display_text.h"
#include "kalvenor_app.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(AppTexts::AppName());
  QApplication::setApplicationVersion(AppTexts::Version());
  // Names the desktop entry, so that the desktop matches the window to it.
  QGuiApplication::setDesktopFileName(QStringLiteral("com.tessavoy.Kalvenor"));

  QCommandLineParser parser;
  parser.setApplicationDescription(AppTexts::CommandLineDescription());
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(AppTexts::FolderArgument(), AppTexts::FolderArgumentHelp(),
                               AppTexts::FolderArgumentSyntax());
  parser.process(application);  // --help and --version end the program here

  KalvenorApp app;
  const QStringList folders = parser.positionalArguments();
  if (!folders.isEmpty()) {
    app.SetStartFolder(
        PathBytes(QDir::cleanPath(QDir::current().absoluteFilePath(folders.constFirst()))));
  }
  return app.Run();
}
