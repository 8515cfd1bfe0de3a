#pragma once

#include <windows.h>

namespace windows {

// A child window of its own that paints itself with GDI through a bitmap, so that a resize shows
// nothing half painted; what it paints is the subclass's. Its window text is its name for a
// screen reader.
class Canvas {
 public:
  Canvas(HWND parent, int dpi);
  virtual ~Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HWND Handle() const { return window_; }
  void SetDpi(int dpi) { dpi_ = dpi; }
  // Paints into `dc` as the canvas does, over an area of that size.
  virtual void PaintInto(HDC dc, int width, int height) const = 0;

 protected:
  // Sets the name a screen reader reads, and paints again.
  void Changed(const wchar_t* name);
  int Dpi() const { return dpi_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();

  HWND window_ = nullptr;
  int dpi_;
};

}  // namespace windows
