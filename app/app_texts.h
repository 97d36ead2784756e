// The texts of the application shell that more than one window shows: the
// program's name and version, the caption of its message boxes, the name
// of its desktop entry and the help failure.
// Each window keeps its own labels beside its layout.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace AppTexts {

inline QString AppName() { return QStringLiteral("Kalvenor"); }
inline QString Version() { return QStringLiteral("2.0"); }
inline QString Organization() { return QStringLiteral("Tessavoy"); }
inline QString Untitled() { return QStringLiteral("Untitled"); }
inline QString CaptionSeparator() { return QStringLiteral(" - "); }
inline QString DesktopFileName() { return QStringLiteral("com.tessavoy.Kalvenor"); }
inline QString HelpFailed() {
  return QCoreApplication::translate("AppTexts", "Failed to launch help.");
}

}  // namespace AppTexts
