// Where the program's shipped files lie (the help page, the translations):
// beside the executable in a build folder, and in share/kalvenor/ under the
// install prefix, found both relative to the executable (a relocated
// install) and at the prefix the build was configured for.
#pragma once

#include <QStringList>

// The folders to search, in order, without repeats.
QStringList DataDirs();
