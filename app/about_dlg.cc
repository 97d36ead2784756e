#include "about_dlg.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "app_resources.h"
#include "dialog_units.h"
#include "resource_ids.h"

namespace {

const char kCaption[] = "About Kalvenor";
const char kVersionLine[] = "Kalvenor Version 2.0";
const char kMakerLine[] = "Copyright (C) 2026 Tessavoy";
const char kOk[] = "OK";

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
  setWindowTitle(QString::fromLatin1(kCaption));
  setModal(true);
  const DialogUnits units(font());

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("aboutIcon"));
  icon->setPixmap(QIcon(AppIconPath()).pixmap(32, 32));
  // The icon keeps its own 32-pixel size wherever the rectangle is smaller.
  const QRect iconRect = units.ToPixels(kIconRect);
  icon->setGeometry(QRect(iconRect.topLeft(), iconRect.size().expandedTo(QSize(32, 32))));
  icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* version = new QLabel(QString::fromLatin1(kVersionLine), this);
  version->setObjectName(QStringLiteral("versionLabel"));
  version->setTextFormat(Qt::PlainText);
  version->setGeometry(units.ToPixels(kVersionRect));

  auto* maker = new QLabel(QString::fromLatin1(kMakerLine), this);
  maker->setObjectName(QStringLiteral("makerLabel"));
  maker->setTextFormat(Qt::PlainText);
  maker->setGeometry(units.ToPixels(kMakerRect));

  auto* ok = new QPushButton(QString::fromLatin1(kOk), this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  ok->setGeometry(units.ToPixels(kOkRect));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  setFixedSize(units.ToPixels(kDialogSize.size()));
}
