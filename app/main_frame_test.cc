#include "main_frame.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>

#include "kalvenor_doc.h"

namespace {

TEST(MainFrameTest, CaptionFollowsTheDocumentTitle) {
  KalvenorDoc doc;
  MainFrame frame(doc);
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Untitled - Kalvenor"));
  EXPECT_FALSE(frame.windowIcon().pixmap(32, 32).isNull());
  doc.SetTitle(QStringLiteral("/home/me/rename.log"));
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("/home/me/rename.log - Kalvenor"));
}

TEST(MainFrameTest, MenusHoldUndoFromLogExitHelpAndAboutOnly) {
  KalvenorDoc doc;
  MainFrame frame(doc);
  const QList<QAction*> menus = frame.menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
  EXPECT_EQ(menus[1]->text(), QStringLiteral("&Help"));
  const QList<QAction*> file = menus[0]->menu()->actions();
  ASSERT_EQ(file.size(), 3);
  EXPECT_EQ(file[0]->text(), QStringLiteral("Undo from &Log File\u2026"));
  EXPECT_TRUE(file[1]->isSeparator());
  EXPECT_EQ(file[2]->text(), QStringLiteral("E&xit"));
  const QList<QAction*> help = menus[1]->menu()->actions();
  ASSERT_EQ(help.size(), 2);
  EXPECT_EQ(help[0]->text(), QStringLiteral("&Help on Kalvenor"));
  EXPECT_EQ(help[1]->text(), QStringLiteral("&About Kalvenor..."));
  EXPECT_TRUE(frame.findChildren<QToolBar*>().isEmpty());
  EXPECT_TRUE(frame.findChildren<QStatusBar*>().isEmpty());
  // The desktop's keys for quitting and for help, and no other shortcut.
  for (const QAction* action : frame.findChildren<QAction*>()) {
    const QKeySequence expected = action == file[2]   ? QKeySequence(QKeySequence::Quit)
                                  : action == help[0] ? QKeySequence(QKeySequence::HelpContents)
                                                      : QKeySequence();
    EXPECT_EQ(action->shortcut(), expected) << action->text().toStdString();
  }
}

TEST(MainFrameTest, MenuCommandsReachTheirHandlers) {
  KalvenorDoc doc;
  MainFrame frame(doc);
  int help = 0;
  int about = 0;
  int undoFromLog = 0;
  QObject::connect(&frame, &MainFrame::helpRequested, [&] { ++help; });
  QObject::connect(&frame, &MainFrame::aboutRequested, [&] { ++about; });
  QObject::connect(&frame, &MainFrame::undoFromLogRequested, [&] { ++undoFromLog; });
  frame.findChild<QAction*>(QStringLiteral("helpAction"))->trigger();
  frame.findChild<QAction*>(QStringLiteral("aboutAction"))->trigger();
  frame.findChild<QAction*>(QStringLiteral("undoFromLogAction"))->trigger();
  EXPECT_EQ(help, 1);
  EXPECT_EQ(about, 1);
  EXPECT_EQ(undoFromLog, 1);
  frame.show();
  frame.findChild<QAction*>(QStringLiteral("exitAction"))->trigger();
  EXPECT_FALSE(frame.isVisible());
}

TEST(MainFrameTest, WideScreenFitsTheFormExactly) {
  const QSize form(650, 530);
  EXPECT_EQ(MainFrame::WantedClientSize(QSize(2000, 1000), 1024, QSize(400, 300), form), form);
  EXPECT_EQ(MainFrame::WantedClientSize(QSize(2000, 1000), 1024, QSize(900, 700), form), form);
}

TEST(MainFrameTest, NarrowScreenOnlyShrinks) {
  const QSize form(650, 530);
  // 800 pixels count as narrow: a smaller dimension keeps its size.
  EXPECT_EQ(MainFrame::WantedClientSize(QSize(600, 400), 800, QSize(400, 300), form),
            QSize(400, 300));
  EXPECT_EQ(MainFrame::WantedClientSize(QSize(600, 400), 800, QSize(700, 300), form),
            QSize(650, 300));
  EXPECT_EQ(MainFrame::WantedClientSize(QSize(600, 400), 800, QSize(400, 600), form),
            QSize(400, 530));
  EXPECT_EQ(MainFrame::WantedClientSize(QSize(600, 400), 801, QSize(400, 300), form), form);
}

TEST(MainFrameTest, FittingShowsTheWholeFormWhenTheWindowIsLarger) {
  KalvenorDoc doc;
  MainFrame frame(doc);
  auto* form = new QWidget;
  const QSize formSize(300, 200);
  form->setMinimumSize(formSize);
  frame.SetForm(form);
  frame.resize(700, 500);
  frame.FitToForm(formSize);
  frame.show();
  QApplication::processEvents();
  EXPECT_EQ(frame.FormArea()->size(), formSize);
  EXPECT_EQ(frame.FormArea()->viewport()->size(), formSize);
}

TEST(MainFrameTest, CaptionKeepsTheModifiedMarkOfAPath) {
  KalvenorDoc doc;
  MainFrame frame(doc);
  frame.show();
  for (const char* title : {"/tmp/a[*]b.log", "[*]", "/x/[*][*].log", "/x/[[*]].log"}) {
    doc.SetTitle(QString::fromLatin1(title));
    EXPECT_EQ(frame.windowHandle()->title(), QLatin1String(title) + QStringLiteral(" - Kalvenor"));
  }
}

TEST(MainFrameTest, FormThatFitsTheScreenIsFittedExactly) {
  const QSize form(650, 400);
  const struct {
    QSize room;  // the largest client area the screen's available area allows
    int screenWidth;
    QSize current;
    QSize wanted;
  } cases[] = {
      // Scale 2 on 1600x1000: 800 device-independent pixels, and the form fits.
      {{790, 420}, 800, {720, 380}, form},
      {{790, 420}, 800, {400, 300}, form},
      // It does not fit: on a narrow screen a dimension may only shrink.
      {{600, 420}, 800, {500, 380}, {500, 380}},
      {{790, 380}, 800, {720, 350}, {650, 350}},
      // A wide screen always fits the form.
      {{600, 300}, 1024, {500, 280}, form},
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(MainFrame::WantedClientSize(entry.room, entry.screenWidth, entry.current, form),
              entry.wanted)
        << entry.room.width() << "x" << entry.room.height() << " " << entry.current.width();
  }
}

}  // namespace
