#pragma once

#include <windows.h>

#include "window/layout.h"

// What the program's windows share from Windows: the screen's resolution where a window stands,
// the window's font at a resolution, the table's colours, and the program's window classes.
namespace windows {

// The resolution of the monitor the window stands on where Windows can tell it (10 and later),
// else of the screen.
int DpiOf(HWND window);

// The layout table's font at the resolution; `pixels`, if given, sets its height instead of the
// table's point size.
HFONT FontFor(int dpi, int pixels = 0);

COLORREF ToColorRef(window::layout::Rgb rgb);

// Fills a rectangle in a colour, through the device context's own brush.
void FillIn(HDC dc, const RECT& rect, window::layout::Rgb colour);

// Registers a window class of the program's, with the program's icon at both sizes if `icons`.
ATOM RegisterWindowClass(const wchar_t* name, WNDPROC procedure, bool icons);

}  // namespace windows
