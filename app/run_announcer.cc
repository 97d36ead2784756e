#include "run_announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// Screen readers see the announcer as a notification.
QAccessibleInterface* AnnouncerInterface(const QString& className, QObject* object) {
  if (className != QLatin1String("RunAnnouncer") || !object->isWidgetType()) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

}  // namespace

RunAnnouncer::RunAnnouncer(QWidget* parent) : QWidget(parent) {
  static const bool kFactoryInstalled = [] {
    QAccessible::installFactory(&AnnouncerInterface);
    return true;
  }();
  (void)kFactoryInstalled;
  setObjectName(QStringLiteral("runAnnouncer"));
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFixedSize(0, 0);
}

void RunAnnouncer::Announce(const QString& text) {
  setAccessibleName(text);
  // The name may be the same as the last one: the showing change is what
  // makes a screen reader speak it again.
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}
