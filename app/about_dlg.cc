#include "about_dlg.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "app_resources.h"
#include "app_texts.h"
#include "dialog_units.h"
#include "resource_ids.h"

namespace {

// Positions in dialog units: x, y, width, height.
constexpr QRect kDialogSize(0, 0, 217, 55);
constexpr QRect kIconRect(11, 17, 20, 20);
constexpr QRect kVersionRect(40, 10, 119, 8);
constexpr QRect kMakerRect(40, 25, 119, 8);
constexpr QRect kOkRect(178, 7, 32, 14);

}  // namespace

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent) {
  InitAppResources();
  setObjectName(QStringLiteral("aboutDialog"));
  setProperty("controlId", kIdAboutBox);
  setWindowTitle(AppTexts::AboutCaption());
  setModal(true);
  const DialogUnits units(font());

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("aboutIcon"));
  icon->setPixmap(QIcon(AppIconPath()).pixmap(32, 32));
  // The icon keeps its own 32-pixel size wherever the rectangle is smaller.
  const QRect iconRect = units.ToPixels(kIconRect);
  icon->setGeometry(QRect(iconRect.topLeft(), iconRect.size().expandedTo(QSize(32, 32))));
  icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* version = new QLabel(AppTexts::VersionLine(), this);
  version->setObjectName(QStringLiteral("versionLabel"));
  version->setTextFormat(Qt::PlainText);
  version->setGeometry(units.ToPixels(kVersionRect));

  auto* maker = new QLabel(AppTexts::MakerLine(), this);
  maker->setObjectName(QStringLiteral("makerLabel"));
  maker->setTextFormat(Qt::PlainText);
  maker->setGeometry(units.ToPixels(kMakerRect));

  auto* ok = new QPushButton(AppTexts::Ok(), this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  ok->setGeometry(units.ToPixels(kOkRect));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  setFixedSize(units.ToPixels(kDialogSize.size()));
}
