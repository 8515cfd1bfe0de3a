#include "windows/squares_canvas.h"

#include <string>

#include "windows/screen.h"
#include "windows/wide.h"

namespace windows {

namespace picture = lessons::picture;

void SquaresCanvas::SetPicture(picture::Picture picture) {
  picture_ = std::move(picture);
  Changed(WideFromUtf8(picture_.Words()).c_str());
}

void SquaresCanvas::PaintInto(HDC dc, int width, int height) const {
  FillIn(dc, {0, 0, width, height}, picture::kBackground);
  const picture::Scene scene = picture::Paint(picture_, width, height);
  for (const picture::Fill& fill : scene.fills)
    FillIn(dc, ToRect(fill.rect), fill.colour);
  if (scene.labels.empty()) return;
  HFONT font = FontFor(Dpi(), scene.font_pixels);
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

}  // namespace windows
