#include "help_window.h"

#include <gtest/gtest.h>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "app_test_support.h"
#include "data_dirs.h"
#include "help_launcher.h"

namespace {

using apptest::Find;

// The colour the text at the start of the block holding `text` is drawn in
// (an invalid colour: the palette's own).
QBrush ForegroundOf(const QTextDocument& document, const QString& text) {
  const QTextCursor found = document.find(text);
  return found.isNull() ? QBrush(Qt::magenta) : found.charFormat().foreground();
}

TEST(HelpWindowTest, ShowsTheShippedPageInThePalettesColours) {
  HelpWindow window;
  // The English page, whatever the language of the machine running the test.
  const QString page = HelpLauncher(DataDirs()).FindHelpPage();
  ASSERT_FALSE(page.isEmpty());
  ASSERT_TRUE(window.ShowPage(page));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Kalvenor Help"));
  const QTextDocument& document = *window.Browser()->document();
  EXPECT_TRUE(document.toPlainText().contains(QStringLiteral("Renaming a folder step by step")));
  // The page's own colours (written for a white page) are not used: body
  // text takes the palette's, headings the link colour.
  EXPECT_EQ(ForegroundOf(document, QStringLiteral("Kalvenor gives every file")).style(),
            Qt::NoBrush);
  QPalette dark = window.palette();
  dark.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
  window.setPalette(dark);
  EXPECT_EQ(ForegroundOf(document, QStringLiteral("Kalvenor")).color(), QColor(0x8a, 0xb4, 0xf8));

  // A link to a section of the page scrolls there.
  QScrollBar* scroll = window.Browser()->verticalScrollBar();
  ASSERT_EQ(scroll->value(), 0);
  window.Browser()->setSource(QUrl(QStringLiteral("#settings")));
  EXPECT_GT(scroll->value(), 0);

  Find<QPushButton>(&window, "closeButton")->click();
  EXPECT_FALSE(window.isVisible());
}

TEST(HelpWindowTest, UnreadablePageIsRefused) {
  HelpWindow window;
  EXPECT_FALSE(window.ShowPage(QStringLiteral("/nonexistent/help.html")));
  EXPECT_TRUE(window.Browser()->document()->isEmpty());
}

}  // namespace
