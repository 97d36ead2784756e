#include "app_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void RegisterResources() { Q_INIT_RESOURCE(kalvenor); }

void InitAppResources() {
  static const bool kRegistered = (RegisterResources(), true);
  (void)kRegistered;
}
