#include "app_test_support.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include "folder_tree.h"
#include "folder_tree_waits.h"
#include "kalvenor_view.h"

namespace apptest {

void AnsweringDialogs::ShowMessage(const QString& text, kalvenor::MessageIcon icon, Closed closed) {
  shown.push_back({text, icon});
  closed();
}

void AnsweringDialogs::AskLogFileName(const QString& /*current*/, Chosen chosen) {
  ++logFileNameAsked;
  chosen(logFileName);
}

void AnsweringDialogs::AskUndoLogFileName(const QString& /*current*/, Chosen chosen) {
  chosen(undoLogFileName);
}

void AnsweringDialogs::AskYesNo(const QString& question, Answered answered) {
  questions << question;
  answered(yes);
}

bool WaitUntilTreePopulated(const QWidget* parent) {
  auto* tree = Find<FolderTree>(parent, "folderTree");
  return tree != nullptr && WaitUntilPopulated(*tree);
}

bool WaitUntilIdle(const KalvenorView* view) {
  return QTest::qWaitFor([view] { return !view->IsBusy(); },
                         static_cast<int>(kTreeWaitLimit.count()));
}

bool WaitUntilSettled(const KalvenorView* view) {
  return QTest::qWaitFor([view] { return !view->IsBusy() && ReadPool::Outstanding() == 0; },
                         static_cast<int>(kTreeWaitLimit.count()));
}

}  // namespace apptest

int main(int argc, char** argv) {
  // Every test runs offscreen and away from the user's own settings.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  kalvenor::testing::TempDir home("kalvenor-app-");
  qputenv("HOME", QByteArray::fromStdString(home.Path()));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.Join(".config")));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.Join(".local/share")));
  QApplication application(argc, argv);
  // The tests close windows themselves; no hidden quit may pile up.
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
