#include "translations.h"

#include <gtest/gtest.h>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>
#include <QXmlStreamReader>

#include "app_texts.h"
#include "data_dirs.h"
#include "help_launcher.h"
#include "help_window.h"
#include "run_text_translation.h"

namespace {

// Every language shipped, as its .ts file names it.
const char* const kLanguages[] = {"de", "es", "fr", "it", "ja", "nl", "pl", "pt_BR"};

struct Message {
  QString context;
  QString source;
  QStringList translations;  // one, or one per plural form
  bool finished = false;
};

std::vector<Message> ReadTs(const QString& path) {
  std::vector<Message> messages;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return messages;
  QXmlStreamReader xml(&file);
  QString context;
  bool plural = false;
  while (!xml.atEnd()) {
    if (!xml.readNext() || !xml.isStartElement()) continue;
    const auto name = xml.name();
    if (name == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (name == QLatin1String("message")) {
      plural = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
    } else if (name == QLatin1String("source")) {
      messages.push_back(Message{context, xml.readElementText(), {}, false});
    } else if (name == QLatin1String("translation") && !messages.empty()) {
      messages.back().finished = xml.attributes().value(QLatin1String("type")).isEmpty();
      if (!plural) messages.back().translations << xml.readElementText();
    } else if (name == QLatin1String("numerusform") && !messages.empty()) {
      messages.back().translations << xml.readElementText();
    }
  }
  EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
  return messages;
}

// The markers a translation must keep: its arguments (%1, %n, and the
// progress bar's %v and %m) and the count of mnemonic ampersands.
QStringList Markers(const QString& text) {
  QStringList markers;
  static const QRegularExpression kArgument(QStringLiteral("%(L?\\d|[nvm])"));
  for (const QRegularExpressionMatch& match : kArgument.globalMatch(text)) {
    markers << match.captured();
  }
  markers.sort();
  markers << QString::number(text.count(QLatin1Char('&')) - 2 * text.count(QLatin1String("&&")));
  return markers;
}

// Every message of every language is translated, each plural form too,
// keeps its markers, and every language translates the same messages.
TEST(TranslationsTest, EveryLanguageTranslatesEveryText) {
  std::vector<std::pair<QString, QString>> firstSources;
  for (const char* language : kLanguages) {
    const QString path =
        QStringLiteral(KALVENOR_TS_DIR "/kalvenor_%1.ts").arg(QLatin1String(language));
    const std::vector<Message> messages = ReadTs(path);
    ASSERT_FALSE(messages.empty()) << path.toStdString();
    std::vector<std::pair<QString, QString>> sources;
    for (const Message& message : messages) {
      const std::string where = std::string(language) + ": " + message.source.toStdString();
      EXPECT_TRUE(message.finished) << where;
      EXPECT_FALSE(message.translations.isEmpty()) << where;
      for (const QString& translation : message.translations) {
        EXPECT_FALSE(translation.trimmed().isEmpty()) << where;
        EXPECT_EQ(Markers(translation), Markers(message.source)) << where;
      }
      sources.emplace_back(message.context, message.source);
    }
    if (firstSources.empty()) firstSources = sources;
    EXPECT_EQ(sources, firstSources) << language;
  }
}

// A count of files takes the plural form its language gives the number.
TEST(TranslationsTest, FileCountsTakeTheirLanguagesPluralForms) {
  const int counts[] = {2, 5, 22, 1000};
  for (const char* language : kLanguages) {
    Translations translations;
    translations.Install(QLocale(QLatin1String(language)));
    QSet<QString> words;  // what follows the number
    for (const int count : counts) {
      const QString text = AppTexts::FileCount(count);
      EXPECT_TRUE(text.contains(QString::number(count))) << language << ": " << text.toStdString();
      EXPECT_NE(text, QStringLiteral("%1 files").arg(count)) << language;
      words << QString(text).remove(QString::number(count));
    }
    // Polish says "2 pliki" but "5 plików"; the others one plural form.
    EXPECT_EQ(words.size(), QLatin1String(language) == QLatin1String("pl") ? 2 : 1) << language;
  }
}

// A caption as the help page names it: without its mnemonic, written as
// "&File" or, in Japanese, as "ファイル(&F)".
QString WithoutMnemonic(QString text) {
  static const QRegularExpression kTrailing(QStringLiteral("\\(&\\w\\)"));
  text.remove(kTrailing);
  text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// The texts of a help page's `tag` elements (b, i), in order, as plain text.
QStringList TaggedTexts(const QString& page, const QString& tag) {
  QFile file(page);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QString html = QString::fromUtf8(file.readAll());
  const QRegularExpression element(QStringLiteral("<%1>(.*?)</%1>").arg(tag),
                                   QRegularExpression::DotMatchesEverythingOption);
  QStringList texts;
  for (const QRegularExpressionMatch& match : element.globalMatch(html)) {
    QTextDocument plain;
    plain.setHtml(match.captured(1));
    texts << plain.toPlainText().simplified();
  }
  return texts;
}

// What the window shows for a message of a run: a Results line or a
// cause's text, as the engine writes them in English.
QString ShownRunText(const QString& english) {
  for (int i = 0; i < kalvenor::kCauseCount; ++i) {
    const auto cause = static_cast<kalvenor::Cause>(i);
    if (english == QLatin1String(kalvenor::CauseText(cause))) return CauseTranslation(cause);
  }
  return TranslateRunText(english);
}

// Each help page names the window's controls and commands in bold ("Start",
// "File > Undo from Log File…") with the words the window shows in its
// language, and quotes the Results lines in italics as the window shows them.
TEST(TranslationsTest, HelpPagesNameTheControlsAndQuoteTheLinesAsTheWindowDoes) {
  const QString englishPage = HelpLauncher(DataDirs()).FindHelpPage();
  const QStringList englishBold = TaggedTexts(englishPage, QStringLiteral("b"));
  const QStringList englishItalic = TaggedTexts(englishPage, QStringLiteral("i"));
  ASSERT_FALSE(englishBold.isEmpty());
  for (const char* language : kLanguages) {
    QHash<QString, QString> shown;  // caption -> its translation, both without mnemonic
    QSet<QString> ambiguous;
    for (const Message& message :
         ReadTs(QStringLiteral(KALVENOR_TS_DIR "/kalvenor_%1.ts").arg(QLatin1String(language)))) {
      const QString caption = WithoutMnemonic(message.source);
      const QString translation = WithoutMnemonic(message.translations.value(0)).simplified();
      if (shown.contains(caption) && shown[caption] != translation) ambiguous << caption;
      shown[caption] = translation;
    }
    const QString tag = QString::fromLatin1(language).replace(QLatin1Char('_'), QLatin1Char('-'));
    const QString page = HelpLauncher(DataDirs(), {tag}).FindHelpPage();
    const QStringList bold = TaggedTexts(page, QStringLiteral("b"));
    ASSERT_EQ(bold.size(), englishBold.size()) << language;
    int named = 0;
    for (qsizetype i = 0; i < englishBold.size(); ++i) {
      // A menu path is named part by part.
      const QStringList parts = englishBold[i].split(QStringLiteral(" > "));
      QStringList expected;
      for (const QString& part : parts) {
        if (shown.contains(part) && !ambiguous.contains(part)) expected << shown[part];
      }
      if (expected.size() != parts.size()) continue;
      ++named;
      EXPECT_EQ(bold[i], expected.join(QStringLiteral(" > ")))
          << language << ": " << englishBold[i].toStdString();
    }
    EXPECT_GE(named, 30) << language;

    Translations translations;
    translations.Install(QLocale(QLatin1String(language)));
    const QStringList italic = TaggedTexts(page, QStringLiteral("i"));
    ASSERT_EQ(italic.size(), englishItalic.size()) << language;
    int quoted = 0;
    for (qsizetype i = 0; i < englishItalic.size(); ++i) {
      const QString line = ShownRunText(englishItalic[i]).simplified();
      if (line == englishItalic[i]) continue;  // not a line of a run
      ++quoted;
      EXPECT_EQ(italic[i], line) << language << ": " << englishItalic[i].toStdString();
    }
    EXPECT_GE(quoted, 5) << language;
  }
}

// The built translations load for each language with Qt's own, and a
// language without a translation leaves everything English.
TEST(TranslationsTest, EachLanguageLoadsWithQtsOwnDialogTexts) {
  const auto closeText = [] {
    QDialogButtonBox box(QDialogButtonBox::Close);
    return box.button(QDialogButtonBox::Close)->text();
  };
  const QString englishClose = closeText();
  for (const char* language : kLanguages) {
    Translations translations;
    translations.Install(QLocale(QLatin1String(language)));
    EXPECT_TRUE(translations.HasOwn()) << language;
    EXPECT_TRUE(translations.HasQt()) << language;
    EXPECT_NE(AppTexts::HelpFailed(), QStringLiteral("Failed to launch help.")) << language;
    EXPECT_NE(closeText(), englishClose) << language;
  }
  {
    Translations german;
    german.Install(QLocale(QStringLiteral("de_AT")));  // the language without its country
    EXPECT_EQ(AppTexts::HelpFailed(), QStringLiteral("Die Hilfe konnte nicht geöffnet werden."));
    EXPECT_EQ(HelpWindow().windowTitle(), QStringLiteral("Kalvenor-Hilfe"));
    EXPECT_EQ(closeText().remove(QLatin1Char('&')), QStringLiteral("Schließen"));
  }
  for (const char* english : {"en_GB", "cs", "C"}) {
    Translations none;
    none.Install(QLocale(QLatin1String(english)));
    EXPECT_FALSE(none.HasOwn()) << english;
    EXPECT_FALSE(none.HasQt()) << english;
    EXPECT_EQ(AppTexts::HelpFailed(), QStringLiteral("Failed to launch help.")) << english;
    EXPECT_EQ(closeText(), englishClose) << english;
  }
}

}  // namespace
