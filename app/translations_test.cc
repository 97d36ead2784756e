#include "translations.h"

#include <gtest/gtest.h>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "app_texts.h"
#include "help_window.h"

namespace {

// Every language shipped, as its .ts file names it.
const char* const kLanguages[] = {"de", "es", "fr", "it", "ja", "nl", "pl", "pt_BR"};

struct Message {
  QString context;
  QString source;
  QString translation;
  bool finished = false;
};

std::vector<Message> ReadTs(const QString& path) {
  std::vector<Message> messages;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return messages;
  QXmlStreamReader xml(&file);
  QString context;
  Message message;
  while (!xml.atEnd()) {
    if (!xml.readNext() || !xml.isStartElement()) continue;
    if (xml.name() == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (xml.name() == QLatin1String("source")) {
      message = Message{context, xml.readElementText(), QString(), false};
    } else if (xml.name() == QLatin1String("translation")) {
      message.finished = xml.attributes().value(QLatin1String("type")).isEmpty();
      message.translation = xml.readElementText();
      messages.push_back(message);
    }
  }
  EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
  return messages;
}

// The markers a translation must keep: %1-style arguments and the count of
// mnemonic ampersands.
QStringList Markers(const QString& text) {
  QStringList markers;
  static const QRegularExpression kArgument(QStringLiteral("%L?\\d"));
  for (const QRegularExpressionMatch& match : kArgument.globalMatch(text)) {
    markers << match.captured();
  }
  markers.sort();
  markers << QString::number(text.count(QLatin1Char('&')) - 2 * text.count(QLatin1String("&&")));
  return markers;
}

// Every message of every language is translated, keeps its markers, and
// every language translates the same messages.
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
      EXPECT_FALSE(message.translation.trimmed().isEmpty()) << where;
      EXPECT_NE(message.translation, message.source) << where;
      EXPECT_EQ(Markers(message.translation), Markers(message.source)) << where;
      sources.emplace_back(message.context, message.source);
    }
    if (firstSources.empty()) firstSources = sources;
    EXPECT_EQ(sources, firstSources) << language;
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
