// The desktop program: one window over the renaming engine.
//
//   kalvenor [FOLDER]
//
// FOLDER, when given, is selected in the folder tree instead of the folder
// of the last session.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

#include "app_texts.h"
#include "kalvenor_app.h"
#include "start_arguments.h"
#include "translations.h"

namespace {

void DescribeCommandLine(QCommandLineParser& parser) {
  QCoreApplication::setApplicationName(AppTexts::AppName());
  QCoreApplication::setApplicationVersion(AppTexts::Version());
  parser.setApplicationDescription(AppTexts::CommandLineDescription());
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(AppTexts::FolderArgument(), AppTexts::FolderArgumentHelp(),
                               AppTexts::FolderArgumentSyntax());
}

std::vector<std::string> Arguments(int argc, char* argv[]) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace

int main(int argc, char* argv[]) {
  // Help and version are answered without a window system: a QApplication
  // cannot even be made where there is no display.
  if (const StartArguments asked = ReadStartArguments(Arguments(argc, argv));
      asked.help || asked.version) {
    const QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    // Qt's own window-system options (-platform, -style ...) are unknown
    // here; they do not matter for help and version.
    (void)parser.parse(QCoreApplication::arguments());
    if (asked.version) parser.showVersion();  // both end the program
    parser.showHelp();
  }

  QApplication application(argc, argv);
  QCommandLineParser parser;
  DescribeCommandLine(parser);
  parser.process(application);  // refuses unknown options

  Translations translations;
  translations.Install(QLocale::system());

  KalvenorApp app;
  // Qt has taken its own options out of argv by now. The folder is the
  // first operand left, with the bytes the shell passed.
  const StartArguments arguments = ReadStartArguments(Arguments(argc, argv));
  if (arguments.folder && !arguments.folder->empty()) app.SetStartFolder(*arguments.folder);
  return app.Run();
}
