// The program entry: creates the window, raises its load event, shows it and runs the event loop
// until it is closed.
#include <QApplication>

#include "desktop/program.h"
#include "desktop/view.h"

int main(int /*argc*/, char* argv[]) {
  int program_name_only = 1;  // the program takes no command line
  QApplication application(program_name_only, argv);
  desktop::SetUpApplication();
  desktop::Program program;
  program.Start();
  return QApplication::exec();
}
