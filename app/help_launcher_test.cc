#include "help_launcher.h"

#include <gtest/gtest.h>
#include <QDir>

#include "app_test_support.h"

namespace {

struct HelpProbe {
  explicit HelpProbe(HelpLauncher& launcher, bool openResult) {
    launcher.openUrl = [this, openResult](const QUrl& url) {
      opened.push_back(url);
      return openResult;
    };
    launcher.showFailure = [this](const QString& text) { messages.push_back(text); };
  }
  std::vector<QUrl> opened;
  std::vector<QString> messages;
};

TEST(HelpLauncherTest, MissingPageGivesTheFailureMessage) {
  apptest::TempDir empty;
  HelpLauncher launcher(QStringList{QString::fromStdString(empty.Path())});
  HelpProbe probe(launcher, true);
  EXPECT_FALSE(launcher.Launch());
  EXPECT_TRUE(probe.opened.empty());
  ASSERT_EQ(probe.messages.size(), 1u);
  EXPECT_EQ(probe.messages[0], QStringLiteral("Failed to launch help."));
}

TEST(HelpLauncherTest, ViewerThatCannotStartGivesTheFailureMessage) {
  apptest::TempDir dir;
  dir.MakeFile("help.html", "<html></html>");
  HelpLauncher launcher(QStringList{QString::fromStdString(dir.Path())});
  HelpProbe probe(launcher, false);
  EXPECT_FALSE(launcher.Launch());
  ASSERT_EQ(probe.opened.size(), 1u);
  ASSERT_EQ(probe.messages.size(), 1u);
  EXPECT_EQ(probe.messages[0], QStringLiteral("Failed to launch help."));
}

TEST(HelpLauncherTest, OpensTheFirstPageFoundAsALocalFile) {
  apptest::TempDir first;
  apptest::TempDir second;
  second.MakeFile("help.html", "<html>second</html>");
  HelpLauncher launcher(
      QStringList{QString::fromStdString(first.Path()), QString::fromStdString(second.Path())});
  HelpProbe probe(launcher, true);
  EXPECT_TRUE(launcher.Launch());
  EXPECT_TRUE(probe.messages.empty());
  ASSERT_EQ(probe.opened.size(), 1u);
  EXPECT_EQ(probe.opened[0], QUrl::fromLocalFile(QString::fromStdString(second.Join("help.html"))));

  first.MakeFile("help.html", "<html>first</html>");
  EXPECT_EQ(launcher.FindHelpPage(), QString::fromStdString(first.Join("help.html")));
}

TEST(HelpLauncherTest, BuildFolderHasThePageBesideTheProgram) {
  // The build copies the page beside the executables of this folder.
  HelpLauncher launcher;
  EXPECT_FALSE(launcher.FindHelpPage().isEmpty());
}

}  // namespace
