#pragma once

#include <windows.h>

#include <string>
#include <vector>

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

// A font with the stars of a score, ★ and ☆, which the table's font lacks: the first installed of
// the faces that have them (Segoe UI Symbol on Windows 7 and later), at that height in pixels.
HFONT StarsFont(int pixels);

// A fixed-width font with Cyrillic letters, for a program's text: the first installed of the faces
// that have them (Consolas on Windows Vista and later), at that height in pixels.
HFONT FixedFont(int pixels);

COLORREF ToColorRef(window::layout::Rgb rgb);
RECT ToRect(const window::layout::PixelRect& rect);

// Fills a rectangle in a colour, through the device context's own brush.
void FillIn(HDC dc, const RECT& rect, window::layout::Rgb colour);

// An owner-drawn button in a colour: raised, sunken while pressed, its text, if any, centred (grey
// while it is disabled), and the focus shown by a dotted rectangle.
void DrawButton(const DRAWITEMSTRUCT& item, COLORREF face, const std::wstring& text);

// What a window of the given background answers WM_CTLCOLORSTATIC with: black text on it.
LRESULT LabelColours(HDC dc, window::layout::Rgb background);

// Fills a window's client area in a colour, as WM_ERASEBKGND asks; 1, that it is done.
LRESULT EraseIn(HWND window, HDC dc, window::layout::Rgb colour);

// A page of the lessons' window moved into the display area of its tabs; its size.
SIZE MovePage(HWND page, const RECT& area);

// What a page of the lessons' window does with the messages it leaves to its kind: black labels
// and its background in the picture's colour, and forgetting its window as it ends.
LRESULT PageDefault(HWND& window, UINT message, WPARAM wparam, LPARAM lparam);

// Sent by the message loop to the window a key is for, before the dialog keys take it, with the
// message in LPARAM: a window that has keys of its own (the menu's shortcut keys, Ctrl+Tab between
// pages) answers nonzero where it took the key.
inline constexpr UINT kPreviewKey = WM_APP + 1;

// A visible child window of a standard class, with its text, style and control id.
HWND MakeChild(const wchar_t* type, const std::wstring& text, DWORD style, HWND parent, int id = 0);

// A box to type into, in the window's sunken edge, that keeps at most `limit` characters.
HWND MakeTextBox(const std::wstring& text, int limit, HWND parent, int id);
// The arrows beside a box: up steps up; they keep no number of their own, for the page that owns
// them steps the box's number where they tell it of a step (UDN_DELTAPOS).
HWND MakeArrows(HWND box, HWND parent);
// The step a notification tells of such arrows, clicked or as Up or Down in their box: 1 up, -1
// down, or 0 where it is none of theirs.
int ArrowStep(LPARAM notification, HWND arrows);

// A control's text, and the text set where it differs (so that nothing repaints for nothing).
std::wstring TextOf(HWND control);
void ShowText(HWND control, const std::wstring& text);
// Puts `lines` into a list box, changing only the lines that differ.
void ShowLines(HWND list, const std::vector<std::wstring>& lines);

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
