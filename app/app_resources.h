// The program's compiled-in resources (the application icon). They live in
// a static library, where the linker would drop them unless something calls
// for them: every window that shows one calls InitAppResources() first.
#pragma once

#include <QString>

// Registers the resources once per process; later calls do nothing.
void InitAppResources();

// The application icon's resource path.
inline QString AppIconPath() { return QStringLiteral(":/kalvenor/kalvenor.png"); }
