#include "windows/canvas.h"

#include "windows/screen.h"

namespace windows {

namespace {

constexpr wchar_t kCanvasClass[] = L"org.example.ramka.canvas";

}  // namespace

Canvas::Canvas(HWND parent, int dpi) : dpi_(dpi) {
  static const bool registered = RegisterWindowClass(kCanvasClass, &Proc, false) != 0;
  (void)registered;
  window_ = CreateWindowExW(0, kCanvasClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                            nullptr, GetModuleHandleW(nullptr), this);
}

void Canvas::Changed(const wchar_t* name) {
  SetWindowTextW(window_, name);
  InvalidateRect(window_, nullptr, FALSE);
}

void Canvas::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT client;
  GetClientRect(window_, &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  const HGDIOBJ before = SelectObject(memory, bitmap);
  PaintInto(memory, client.right, client.bottom);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, before);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window_, &paint);
}

LRESULT CALLBACK Canvas::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        window, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<Canvas*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers it all
    case WM_PAINT:
      if (self != nullptr) {
        self->Paint();
        return 0;
      }
      break;
    case WM_NCDESTROY:
      if (self != nullptr) self->window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace windows
