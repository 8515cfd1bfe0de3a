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

// What a window of the given background answers WM_CTLCOLORSTATIC with: black text on it.
LRESULT LabelColours(HDC dc, window::layout::Rgb background);

// Fills a window's client area in a colour, as WM_ERASEBKGND asks; 1, that it is done.
LRESULT EraseIn(HWND window, HDC dc, window::layout::Rgb colour);

// Registers a window class of the program's, with the program's icon at both sizes if `icons`.
ATOM RegisterWindowClass(const wchar_t* name, WNDPROC procedure, bool icons);

// The window procedure of a class of the program's whose windows are each made with the object
// that handles their messages as the creation parameter: the object learns its window
// (`window_`) as the window is made and then receives each message (`Receive`).
template <typename Owner>
LRESULT CALLBACK Forward(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    owner->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  }
  auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return owner != nullptr ? owner->Receive(message, wparam, lparam)
                          : DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace windows
