#include "windows/squares_canvas.h"

#include <string>

#include "windows/screen.h"
#include "windows/wide.h"

namespace windows {

namespace picture = lessons::picture;

namespace {

constexpr wchar_t kCanvasClass[] = L"org.example.ramka.picture.canvas";

RECT ToRect(const window::layout::PixelRect& rect) {
  return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

}  // namespace

SquaresCanvas::SquaresCanvas(HWND parent, int dpi) : dpi_(dpi) {
  static const bool registered = RegisterWindowClass(kCanvasClass, &Proc, false) != 0;
  (void)registered;
  window_ = CreateWindowExW(0, kCanvasClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                            nullptr, GetModuleHandleW(nullptr), this);
}

void SquaresCanvas::SetPicture(picture::Picture picture) {
  picture_ = std::move(picture);
  SetWindowTextW(window_, WideFromUtf8(picture_.Words()).c_str());
  InvalidateRect(window_, nullptr, FALSE);
}

void SquaresCanvas::PaintInto(HDC dc, int width, int height) const {
  FillIn(dc, {0, 0, width, height}, picture::kBackground);
  const picture::Scene scene = picture::Paint(picture_, width, height);
  for (const picture::Fill& fill : scene.fills)
    FillIn(dc, ToRect(fill.rect), fill.colour);
  if (scene.labels.empty()) return;
  HFONT font = FontFor(dpi_, scene.font_pixels);
  const HGDIOBJ before = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(picture::kInkColour));
  for (const picture::Label& label : scene.labels) {
    RECT area = ToRect(label.rect);
    const std::wstring text = WideFromUtf8(label.text);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
  SelectObject(dc, before);
  DeleteObject(font);
}

// Paints through a bitmap, so that a resize shows no half-painted picture.
void SquaresCanvas::Paint() {
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

LRESULT CALLBACK SquaresCanvas::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        window, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<SquaresCanvas*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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
