// The windows in the user's language: the program's own translation
// (kalvenor_<language>.qm, built from res/translations/ and found in the
// data folders' translations/ folder) and Qt's translations of its own
// dialogs and buttons (qtbase_<language>.qm, where Qt keeps them), in the
// same language, so that a language the program is not translated into
// leaves every window English. The command line's output, the log and the
// settings stay English whatever the language: other programs read them.
#pragma once

#include <QLocale>
#include <QTranslator>

class Translations {
 public:
  Translations() = default;
  // Takes the translations out of the application again.
  ~Translations();
  Translations(const Translations&) = delete;
  Translations& operator=(const Translations&) = delete;

  // Installs what there is for `locale` (its languages in the user's order
  // of preference, then each without its country), in place of what an
  // earlier call installed. A QCoreApplication must exist.
  void Install(const QLocale& locale);

  // Whether the program's own, and Qt's, translation was found.
  bool HasOwn() const { return m_ownInstalled; }
  bool HasQt() const { return m_qtInstalled; }

 private:
  void Remove();

  QTranslator m_own;
  QTranslator m_qt;
  bool m_ownInstalled = false;
  bool m_qtInstalled = false;
};
