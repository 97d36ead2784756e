#include "help_window.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QIcon>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "app_resources.h"

namespace {

// A size to read in: about 100 characters wide and 40 lines high.
constexpr int kWidthInCharacters = 100;
constexpr int kHeightInLines = 40;

// The page's look in the palette's colours: headings in the link colour,
// code on the alternate base, table rules in the mid tone.
QString PaletteStyleSheet(const QPalette& palette) {
  return QStringLiteral(
             "h1 { color: %1; }"
             "h2 { border-bottom: 1px solid %2; }"
             "code, kbd { background-color: %3; }"
             "table { border-collapse: collapse; }"
             "td, th { border: 1px solid %2; padding: 3px 6px; }")
      .arg(palette.color(QPalette::Link).name(), palette.color(QPalette::Mid).name(),
           palette.color(QPalette::AlternateBase).name());
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
  InitAppResources();
  setObjectName(QStringLiteral("helpWindow"));
  // A window of its own beside the main window, not a dialog in front of it.
  setWindowFlags(Qt::Window);
  setWindowIcon(QIcon(AppIconPath()));
  setWindowTitle(tr("Kalvenor Help"));

  m_browser->setObjectName(QStringLiteral("helpBrowser"));
  m_browser->setOpenExternalLinks(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->setObjectName(QStringLiteral("helpButtons"));
  buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("closeButton"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_browser);
  layout->addWidget(buttons);

  const QFontMetrics metrics(font());
  resize(metrics.averageCharWidth() * kWidthInCharacters, metrics.lineSpacing() * kHeightInLines);
}

bool HelpWindow::ShowPage(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  static const QRegularExpression kStyleElement(
      QStringLiteral("<style[^>]*>.*?</style>"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  m_html = QString::fromUtf8(file.readAll()).remove(kStyleElement);
  m_browser->document()->setBaseUrl(QUrl::fromLocalFile(path));
  ApplyPalette();
  const QString title = m_browser->documentTitle();
  if (!title.isEmpty()) setWindowTitle(title);
  return true;
}

void HelpWindow::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && !m_html.isEmpty()) ApplyPalette();
}

void HelpWindow::ApplyPalette() {
  // The style sheet takes effect when the page is set again.
  const int scrolled = m_browser->verticalScrollBar()->value();
  m_browser->document()->setDefaultStyleSheet(PaletteStyleSheet(palette()));
  m_browser->setHtml(m_html);
  m_browser->verticalScrollBar()->setValue(scrolled);
}
