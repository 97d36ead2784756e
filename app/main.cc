// The desktop program: one window over the renaming engine.
#include <QApplication>

#include "kalvenor_app.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  KalvenorApp app;
  return app.Run();
}
