#include "windows/screen.h"

#include "window/layout.h"
#include "windows/wide.h"

namespace windows {

int DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (window != nullptr && get_dpi != nullptr) return static_cast<int>(get_dpi(window));
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

HFONT FontFor(int dpi, int pixels) {
  namespace layout = window::layout;
  const int height = pixels > 0 ? pixels : MulDiv(layout::kFontPoints, dpi, 72);
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_ROMAN, WideFromUtf8(layout::kFontFamily).c_str());
}

}  // namespace windows
