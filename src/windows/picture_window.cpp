#include "windows/picture_window.h"

#include <algorithm>
#include <string>

#include "windows/screen.h"
#include "windows/wide.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace windows {

namespace picture = window::picture;

namespace {

constexpr wchar_t kFrameClass[] = L"org.example.ramka.picture";
constexpr wchar_t kCanvasClass[] = L"org.example.ramka.picture.canvas";

RECT ToRect(const window::layout::PixelRect& rect) {
  return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

// The picture's size at a resolution: room for the squares and, under them, the words.
constexpr int kWidth = 420;
constexpr int kHeight = 480;
constexpr int kWordsHeight = 48;

}  // namespace

PictureWindow::PictureWindow(const window::Form& form, HWND owner) : form_(form) {
  static const bool registered = RegisterWindowClass(kFrameClass, &FrameProc, true) != 0 &&
                                 RegisterWindowClass(kCanvasClass, &CanvasProc, false) != 0;
  (void)registered;
  dpi_ = DpiOf(owner);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RECT outer{0, 0, MulDiv(kWidth, dpi_, 96), MulDiv(kHeight, dpi_, 96)};
  const DWORD style = WS_OVERLAPPEDWINDOW;
  AdjustWindowRectEx(&outer, style, FALSE, 0);
  RECT form_rect;
  GetWindowRect(owner, &form_rect);
  // Owned by the form's window: above it, gone with it, and no button of its own on the taskbar.
  CreateWindowExW(0, kFrameClass, WideFromUtf8(picture::kCaption).c_str(), style,
                  form_rect.right + 8, form_rect.top, outer.right - outer.left,
                  outer.bottom - outer.top, owner, nullptr, instance, this);
  canvas_ = CreateWindowExW(0, kCanvasClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_,
                            nullptr, instance, this);
  words_ = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX,
                           0, 0, 0, 0, window_, nullptr, instance, nullptr);
  Scale(DpiOf(window_));
}

PictureWindow::~PictureWindow() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  DeleteObject(font_);
}

void PictureWindow::Open() {
  if (window_ == nullptr) return;
  Refresh();
  if (IsWindowVisible(window_)) {
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
}

void PictureWindow::Close() {
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void PictureWindow::Refresh() {
  picture_ = picture::Picture::Of(form_);
  if (window_ == nullptr) return;
  const std::wstring words = WideFromUtf8(picture_.Words());
  SetWindowTextW(words_, words.c_str());
  SetWindowTextW(canvas_, words.c_str());  // the picture's name for a screen reader
  InvalidateRect(canvas_, nullptr, FALSE);
}

void PictureWindow::PaintInto(HDC dc, int width, int height) const {
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
void PictureWindow::PaintCanvas() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(canvas_, &paint);
  RECT client;
  GetClientRect(canvas_, &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  const HGDIOBJ before = SelectObject(memory, bitmap);
  PaintInto(memory, client.right, client.bottom);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, before);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(canvas_, &paint);
}

// The squares take the window but for a strip at the bottom, where the words stand.
void PictureWindow::Arrange() {
  RECT client;
  GetClientRect(window_, &client);
  const int words = MulDiv(kWordsHeight, dpi_, 96);
  const int margin = MulDiv(8, dpi_, 96);
  const int canvas_height = std::max(0, static_cast<int>(client.bottom) - words - margin);
  MoveWindow(canvas_, margin, margin, std::max(0, static_cast<int>(client.right) - 2 * margin),
             std::max(0, canvas_height - margin), TRUE);
  MoveWindow(words_, margin, canvas_height,
             std::max(0, static_cast<int>(client.right) - 2 * margin), words, TRUE);
}

void PictureWindow::Scale(int dpi) {
  dpi_ = dpi;
  HFONT font = FontFor(dpi);
  SendMessageW(words_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  DeleteObject(font_);
  font_ = font;
  Arrange();
}

LRESULT CALLBACK PictureWindow::FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<PictureWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<PictureWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self != nullptr ? self->Receive(message, wparam, lparam)
                         : DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK PictureWindow::CanvasProc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        window, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<PictureWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers it all
    case WM_PAINT:
      if (self != nullptr) {
        self->PaintCanvas();
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT PictureWindow::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      Arrange();
      return 0;
    case WM_CTLCOLORSTATIC: {
      const auto dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, ToColorRef(picture::kBackground));
      SetDCBrushColor(dc, ToColorRef(picture::kBackground));
      return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window_, &client);
      FillIn(reinterpret_cast<HDC>(wparam), client, picture::kBackground);
      return 1;
    }
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) Close();
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DPICHANGED: {
      Scale(HIWORD(wparam));
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_NCDESTROY:  // with the form's window, which owns this one
      window_ = canvas_ = words_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

}  // namespace windows
