#include "run_text_translation.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTranslator>

namespace {

QString FromEngine(const std::string& text) { return QString::fromStdString(text); }

// Translates every text of one context by putting it in brackets.
class BracketTranslator : public QTranslator {
 public:
  explicit BracketTranslator(const char* context) : m_context(context) {}
  QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                    int /*n*/) const override {
    if (qstrcmp(context, m_context) != 0) return QString();
    return QLatin1Char('[') + QString::fromUtf8(source) + QLatin1Char(']');
  }
  bool isEmpty() const override { return false; }

 private:
  const char* m_context;
};

// The window knows every text of the engine: untranslated, each reads as
// the engine writes it; translated, each line or message the engine makes
// of it is shown in translation with its part kept. A text the engine
// gains without the window learning it fails here.
TEST(RunTextTranslationTest, EveryEngineTextIsKnownAndTranslatedWithItsPart) {
  for (int i = 0; i < kalvenor::kRunTextCount; ++i) {
    const auto text = static_cast<kalvenor::RunText>(i);
    EXPECT_EQ(RunTextTranslation(text).toStdString(), kalvenor::RunTextPattern(text)) << i;
  }
  for (int i = 0; i < kalvenor::kCauseCount; ++i) {
    const auto cause = static_cast<kalvenor::Cause>(i);
    EXPECT_EQ(CauseTranslation(cause).toStdString(), kalvenor::CauseText(cause)) << i;
  }

  BracketTranslator brackets("RunTexts");
  ASSERT_TRUE(QCoreApplication::installTranslator(&brackets));
  for (int i = 0; i < kalvenor::kRunTextCount; ++i) {
    const auto text = static_cast<kalvenor::RunText>(i);
    if (text == kalvenor::RunText::RenameError) continue;  // below, with each cause
    const std::string pattern(kalvenor::RunTextPattern(text));
    const QString shown = FromEngine(kalvenor::FormatRunText(text, "IMG 1.jpg -> x"));
    const QString expected =
        pattern.find("%1") == std::string::npos
            ? QStringLiteral("[%1]").arg(FromEngine(pattern))
            : QStringLiteral("[%1]").arg(FromEngine(pattern)).arg(QStringLiteral("IMG 1.jpg -> x"));
    EXPECT_EQ(TranslateRunText(shown), expected) << pattern;
  }
  for (int i = 0; i < kalvenor::kCauseCount; ++i) {
    const auto cause = static_cast<kalvenor::Cause>(i);
    EXPECT_EQ(
        TranslateRunText(FromEngine(kalvenor::RenameErrorText(cause))),
        QStringLiteral("[Rename error: [%1]]").arg(QLatin1String(kalvenor::CauseText(cause))));
  }
  // The texts the engine makes through its own functions, and lines that
  // are none of its texts.
  const struct {
    std::string engine;
    QString shown;
  } cases[] = {
      {kalvenor::FileCountLimitLine(), QStringLiteral("[File count exceeds 9999.]")},
      {kalvenor::WithoutCaptureTimeLine(12),
       QStringLiteral("[Files without a capture time, ordered by their file time: 12]")},
      {kalvenor::StoppedBeforeLine("a%1.jpg"), QStringLiteral("[Stopped before a%1.jpg.]")},
      {std::string(kalvenor::kPreviewClosingLine),
       QStringLiteral("[Click Continue to do the above.]")},
      {"a.jpg -> Holiday0000.jpg", QStringLiteral("a.jpg -> Holiday0000.jpg")},
      {"Operations complete.jpg -> Holiday0001.jpg",
       QStringLiteral("Operations complete.jpg -> Holiday0001.jpg")},
      {"", QString()},
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(TranslateRunText(FromEngine(entry.engine)), entry.shown) << entry.engine;
  }
  QCoreApplication::removeTranslator(&brackets);
  EXPECT_EQ(TranslateRunText(QStringLiteral("Operations complete.")),
            QStringLiteral("Operations complete."));
}

}  // namespace
