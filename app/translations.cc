#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

#include "data_dirs.h"

Translations::~Translations() { Remove(); }

void Translations::Remove() {
  if (m_ownInstalled) QCoreApplication::removeTranslator(&m_own);
  if (m_qtInstalled) QCoreApplication::removeTranslator(&m_qt);
  m_ownInstalled = false;
  m_qtInstalled = false;
}

void Translations::Install(const QLocale& locale) {
  Remove();
  const QString prefix = QStringLiteral("_");
  for (const QString& dir : DataDirs()) {
    if (m_own.load(locale, QStringLiteral("kalvenor"), prefix,
                   QDir(dir).filePath(QStringLiteral("translations")))) {
      m_ownInstalled = QCoreApplication::installTranslator(&m_own);
      break;
    }
  }
  // Qt's dialogs speak the language the window speaks, so that a language
  // the program is not translated into leaves the whole window English.
  if (m_ownInstalled && m_qt.load(QLocale(m_own.language()), QStringLiteral("qtbase"), prefix,
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    m_qtInstalled = QCoreApplication::installTranslator(&m_qt);
  }
}
