// The program entry: creates the window, raises its load event, shows it and runs the event loop
// until it is closed.
#include <QApplication>

#include "window/program.h"
#include "window/view.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  window::SetUpApplication(application);
  window::Program program;
  program.Start();
  return QApplication::exec();
}
