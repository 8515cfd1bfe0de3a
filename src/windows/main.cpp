// The program entry on Windows: creates the window, raises its load event, shows it and runs the
// event loop until it is closed.
#include <windows.h>

#include <commctrl.h>

#include "windows/program.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int show) {
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  windows::Program program;
  program.Start(show);
  return windows::RunMessageLoop(program.view.Handle());
}
