// The window on Wayland. This test program starts a headless Weston
// compositor of its own, opens the real window on it through Qt's Wayland
// plugin, and drives the window's controls, found by their object names
// alone: a folder dropped on the window is taken, Start previews, Continue
// renames, Undo Last renames back. Where no compositor can start (no
// weston, no Wayland plugin, no socket), the test is skipped and says why.
#include <sys/prctl.h>

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <functional>

#include "app_test_support.h"
#include "folder_path_box.h"
#include "folder_tree.h"
#include "folder_tree_waits.h"
#include "kalvenor_app.h"
#include "main_frame.h"

namespace {

using apptest::Find;
using apptest::TempDir;

constexpr int kStartLimitMs = 10000;
constexpr int kStepLimitMs = 20000;

// Why the tests cannot run here; empty when the window is on Wayland.
QString skipReason;

// A headless Weston with a socket of its own in a runtime folder of its own.
class Compositor {
 public:
  explicit Compositor(const TempDir& home) : m_runtimeDir(home.Join("runtime")) {}
  ~Compositor() { Stop(); }

  // Starts it and waits for its socket; the reason it could not, or empty.
  QString Start() {
    const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
    if (weston.isEmpty()) return QStringLiteral("weston is not installed");
    const QString runtime = QString::fromStdString(m_runtimeDir);
    if (!QDir().mkpath(runtime) ||
        !QFile::setPermissions(
            runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) {
      return QStringLiteral("no runtime folder");
    }
    m_socket = QStringLiteral("kalvenor-test-%1").arg(QCoreApplication::applicationPid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("DISPLAY"));
    m_weston.setProcessEnvironment(env);
    m_weston.setProcessChannelMode(QProcess::MergedChannels);
    // Weston ends with this test program, even one that crashes.
    m_weston.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_weston.start(weston,
                   {QStringLiteral("--backend=headless-backend.so"),
                    QStringLiteral("--socket=") + m_socket, QStringLiteral("--idle-time=0")});
    if (!m_weston.waitForStarted(kStartLimitMs)) return QStringLiteral("weston did not start");
    const QString socketPath = runtime + QLatin1Char('/') + m_socket;
    for (int waited = 0; waited < kStartLimitMs && !QFile::exists(socketPath); waited += 50) {
      if (m_weston.waitForFinished(50)) {
        return QStringLiteral("weston ended: ") + QString::fromLocal8Bit(m_weston.readAll());
      }
    }
    if (!QFile::exists(socketPath)) return QStringLiteral("weston made no socket");
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    qputenv("WAYLAND_DISPLAY", m_socket.toLocal8Bit());
    return QString();
  }

  void Stop() {
    if (m_weston.state() == QProcess::NotRunning) return;
    m_weston.terminate();
    if (!m_weston.waitForFinished(kStartLimitMs)) {
      m_weston.kill();
      m_weston.waitForFinished();
    }
  }

 private:
  std::string m_runtimeDir;
  QString m_socket;
  QProcess m_weston;
};

// Turns the event loop until `done` holds; false when it did not in time.
bool WaitFor(const std::function<bool()>& done, int limitMs = kStepLimitMs) {
  for (int waited = 0; waited < limitMs && !done(); waited += 20) QTest::qWait(20);
  return done();
}

// The widget of the window that takes drops, whichever it is.
QWidget* DropTarget(QWidget* window) {
  if (window->acceptDrops()) return window;
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (child->acceptDrops() && child->isVisible()) return child;
  }
  return nullptr;
}

std::vector<std::string> ResultLines(const QWidget* window) {
  std::vector<std::string> lines;
  const QAbstractItemModel* model = Find<QAbstractItemView>(window, "resultsList")->model();
  for (int row = 0; row < model->rowCount(); ++row) {
    lines.push_back(model->index(row, 0).data().toString().toStdString());
  }
  return lines;
}

TEST(WaylandSessionTest, WindowTakesADroppedFolderPreviewsCommitsAndUndoes) {
  if (!skipReason.isEmpty()) GTEST_SKIP() << skipReason.toStdString();
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"));
  TempDir store;
  TempDir photos;
  photos.MakeFile("b.jpg", "b");
  photos.MakeFile("a.jpg", "a");

  KalvenorApp app(QString::fromStdString(store.Join("Kalvenor.conf")));
  ASSERT_TRUE(app.InitInstance());
  QWidget* window = app.Frame();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window, kStartLimitMs));
  // The compositor is told the desktop entry's name as the application id.
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("com.tessavoy.Kalvenor"));
  ASSERT_TRUE(WaitUntilPopulated(*Find<FolderTree>(window, "folderTree")));

  // A folder dropped from a file manager.
  QWidget* target = DropTarget(window);
  ASSERT_NE(target, nullptr);
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(photos.Path()))});
  const QPointF middle(target->width() / 2.0, target->height() / 2.0);
  QDragEnterEvent enter(middle.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(middle, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  EXPECT_TRUE(drop.isAccepted());
  const auto* folderBox = Find<FolderPathBox>(window, "folderBox");
  ASSERT_TRUE(WaitFor([&] {
    return QDir(QString::fromStdString(folderBox->Path())) ==
           QDir(QString::fromStdString(photos.Path()));
  })) << folderBox->Path();

  QTest::keyClicks(Find<QLineEdit>(window, "baseNameEdit"), QStringLiteral("Trip"));
  auto* start = Find<QPushButton>(window, "startButton");
  ASSERT_TRUE(WaitFor([&] { return start->isEnabled(); }));
  QTest::mouseClick(start, Qt::LeftButton);
  const std::vector<std::string> preview = {"a.jpg -> Trip0000.jpg", "b.jpg -> Trip0001.jpg",
                                            "Click Continue to do the above."};
  ASSERT_TRUE(WaitFor([&] { return ResultLines(window) == preview; }));
  EXPECT_EQ(photos.Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));

  auto* commit = Find<QPushButton>(window, "continueButton");
  ASSERT_TRUE(commit->isEnabled());
  QTest::mouseClick(commit, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] {
    return photos.Names() == std::vector<std::string>{"Trip0000.jpg", "Trip0001.jpg"};
  }));
  EXPECT_EQ(photos.Read("Trip0000.jpg"), "a");

  auto* undo = Find<QPushButton>(window, "undoButton");
  ASSERT_TRUE(WaitFor([&] { return undo->isEnabled(); }));
  QTest::mouseClick(undo, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] {
    return photos.Names() == std::vector<std::string>{"a.jpg", "b.jpg"};
  }));
  EXPECT_EQ(photos.Read("b.jpg"), "b");

  // The window's runs have ended before it goes.
  ASSERT_TRUE(WaitFor([&] { return start->isEnabled() || !undo->isEnabled(); }));
  window->close();
  EXPECT_EQ(app.ExitInstance(0), 0);
}

}  // namespace

int main(int argc, char** argv) {
  TempDir home("kalvenor-wayland-");
  qputenv("HOME", QByteArray::fromStdString(home.Path()));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.Join(".config")));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.Join(".local/share")));
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no compositor.
  const bool listing = ::testing::GTEST_FLAG(list_tests);
  Compositor compositor(home);
  if (!listing) skipReason = compositor.Start();
  // Should the plugin not connect after all, Qt falls back to offscreen
  // and the test says so.
  qputenv("QT_QPA_PLATFORM", skipReason.isEmpty() ? "wayland;offscreen" : "offscreen");
  // A headless Weston has no seat, so there is no keyboard for Qt's Wayland
  // input method to follow (Qt 6.4 then fails on a key typed into a box);
  // the plain input method takes the test's keys as a desktop's keyboard
  // would be taken.
  qputenv("QT_IM_MODULE", "none");
  int result = 0;
  {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (skipReason.isEmpty() && QGuiApplication::platformName() != QLatin1String("wayland")) {
      skipReason = QStringLiteral("Qt's Wayland plugin could not connect to weston");
    }
    result = RUN_ALL_TESTS();
  }  // the window system's connection ends before the compositor
  compositor.Stop();
  return result;
}
