#include "main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QKeySequence>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "app_resources.h"
#include "app_texts.h"
#include "kalvenor_doc.h"
#include "resource_ids.h"

namespace {

constexpr int kShrinkOnlyScreenWidth = 800;
constexpr double kDefaultScreenShare = 0.9;

QAction* AddCommand(QMenu* menu, const QString& text, const char* name, int id) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QLatin1String(name));
  action->setData(id);
  return action;
}

}  // namespace

MainFrame::MainFrame(KalvenorDoc& doc, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_area(new QScrollArea(this)) {
  InitAppResources();
  setObjectName(QStringLiteral("mainFrame"));
  setProperty("controlId", kIdMainFrame);
  setWindowIcon(QIcon(AppIconPath()));

  QMenu* file = menuBar()->addMenu(AppTexts::FileMenu());
  file->setObjectName(QStringLiteral("fileMenu"));
  m_undoFromLog =
      AddCommand(file, AppTexts::UndoFromLogCommand(), "undoFromLogAction", kIdUndoFromLog);
  connect(m_undoFromLog, &QAction::triggered, this, &MainFrame::undoFromLogRequested);
  file->addSeparator();
  QAction* exit = AddCommand(file, AppTexts::ExitCommand(), "exitAction", kIdAppExit);
  exit->setShortcut(QKeySequence::Quit);
  connect(exit, &QAction::triggered, this, &QWidget::close);
  QMenu* help = menuBar()->addMenu(AppTexts::HelpMenu());
  help->setObjectName(QStringLiteral("helpMenu"));
  QAction* contents =
      AddCommand(help, AppTexts::HelpContentsCommand(), "helpAction", kIdHelpContents);
  contents->setShortcut(QKeySequence::HelpContents);
  connect(contents, &QAction::triggered, this, &MainFrame::helpRequested);
  connect(AddCommand(help, AppTexts::AboutCommand(), "aboutAction", kIdAppAbout),
          &QAction::triggered, this, &MainFrame::aboutRequested);

  m_area->setObjectName(QStringLiteral("formArea"));
  m_area->setFrameShape(QFrame::NoFrame);
  // The area itself is no Tab stop: Tab goes round the form's controls only.
  m_area->setFocusPolicy(Qt::NoFocus);
  m_area->setWidgetResizable(true);
  setCentralWidget(m_area);

  connect(&m_doc, &KalvenorDoc::titleChanged, this, &MainFrame::UpdateCaption);
  UpdateCaption();

  // The default size, before the window is fitted to the form: most of the
  // screen, so that on a small screen the fitted window shows as much of the
  // form as the screen allows.
  if (const QScreen* display = screen()) {
    resize(display->availableGeometry().size() * kDefaultScreenShare);
  }
}

void MainFrame::SetForm(QWidget* form) { m_area->setWidget(form); }

void MainFrame::OnRunningChanged(bool running) { m_undoFromLog->setEnabled(!running); }

void MainFrame::closeEvent(QCloseEvent* event) {
  if (m_mayClose && !m_mayClose()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

QSize MainFrame::WantedClientSize(QSize room, int screenWidth, QSize current, QSize form) {
  QSize wanted = form;
  // A form the screen holds is shown whole, whatever the screen's width.
  if (form.width() <= room.width() && form.height() <= room.height()) return wanted;
  if (screenWidth <= kShrinkOnlyScreenWidth) {
    if (current.width() <= form.width()) wanted.setWidth(current.width());
    if (current.height() <= form.height()) wanted.setHeight(current.height());
  }
  return wanted;
}

void MainFrame::FitToForm(QSize formSize) {
  const QScreen* display = screen();
  const int screenWidth = display != nullptr ? display->geometry().width() : formSize.width();
  if (QLayout* frameLayout = layout()) {
    frameLayout->setGeometry(QRect(QPoint(0, 0), size()));
    frameLayout->activate();
  }
  // The client area as the form sees it without scroll bars: the whole
  // scroll area, which has no edge of its own.
  const QSize current = m_area->size();
  // The largest client area the screen's available area allows: less the
  // window's frame (known once shown) and the menu bar.
  QSize room = formSize;
  if (display != nullptr) {
    room = display->availableGeometry().size() - (frameGeometry().size() - size()) -
           (size() - current);
  }
  QSize wanted = WantedClientSize(room, screenWidth, current, formSize);
  // A dimension left smaller than the form brings a scroll bar across the
  // other one; where that other one is fitted to the form, make room for it.
  const int barExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_area);
  const QSize client = wanted;
  if (client.width() < formSize.width() && client.height() >= formSize.height()) {
    wanted.rheight() += barExtent;
  }
  if (client.height() < formSize.height() && client.width() >= formSize.width()) {
    wanted.rwidth() += barExtent;
  }
  resize(size() + (wanted - current));
}

void MainFrame::RestoreSize(QSize size, bool maximized) {
  if (size.width() > 0 && size.height() > 0) {
    if (const QScreen* display = screen()) {
      // The frame is known once the window is shown; until then the room is
      // the available area itself.
      const QSize frame = frameGeometry().size() - this->size();
      size = size.boundedTo(display->availableGeometry().size() - frame);
    }
    resize(size.expandedTo(minimumSizeHint()));
  }
  if (maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

QSize MainFrame::NormalSize() const {
  if ((windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) == 0) return size();
  const QRect normal = normalGeometry();
  return normal.isValid() ? normal.size() : size();
}

void MainFrame::UpdateCaption() {
  QString caption = m_doc.Title() + AppTexts::CaptionSeparator() + AppTexts::AppName();
  // Qt reads "[*]" as the place of the modified mark and drops it; doubled,
  // it stands for itself. A log path may well hold it.
  caption.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  setWindowTitle(caption);
}
