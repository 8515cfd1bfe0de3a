#pragma once

#include <windows.h>

// The screen's resolution where a window stands, and the window's font at a resolution.
namespace windows {

// The resolution of the monitor the window stands on where Windows can tell it (10 and later),
// else of the screen.
int DpiOf(HWND window);

// The layout table's font at the resolution; `pixels`, if given, sets its height instead of the
// table's point size.
HFONT FontFor(int dpi, int pixels = 0);

}  // namespace windows
