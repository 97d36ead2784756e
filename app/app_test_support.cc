#include "app_test_support.h"

#include <gtest/gtest.h>
#include <QApplication>

#include "folder_tree.h"
#include "folder_tree_waits.h"

bool apptest::WaitUntilTreePopulated(const QWidget* parent) {
  auto* tree = Find<FolderTree>(parent, "folderTree");
  return tree != nullptr && WaitUntilPopulated(*tree);
}

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
