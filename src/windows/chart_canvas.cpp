#include "windows/chart_canvas.h"

#include <map>
#include <string>

#include "lessons/practice.h"
#include "windows/screen.h"
#include "windows/wide.h"

namespace windows {

namespace chart = lessons::chart;

void ChartCanvas::SetChart(std::optional<chart::Chart> chart) {
  chart_ = std::move(chart);
  Changed(WideFromUtf8(chart_ ? chart_->Description() : lessons::practice::kChartLabel).c_str());
}

// The fills in order, then the texts, each in its rectangle as the core aligns it.
void ChartCanvas::PaintInto(HDC dc, int width, int height) const {
  FillIn(dc, {0, 0, width, height}, lessons::picture::kBackground);
  if (!chart_) return;
  const chart::Scene scene = chart::Paint(*chart_, width, height);
  for (const lessons::picture::Fill& fill : scene.fills)
    FillIn(dc, ToRect(fill.rect), fill.colour);
  std::map<int, HFONT> fonts;  // by their size in pixels
  const HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  SetBkMode(dc, TRANSPARENT);
  for (const chart::Text& text : scene.texts) {
    HFONT& font = fonts[text.font_pixels];
    if (font == nullptr) font = FontFor(Dpi(), text.font_pixels);
    SelectObject(dc, font);
    SetTextColor(dc, ToColorRef(text.colour));
    RECT area = ToRect(text.rect);
    const UINT across = text.align == chart::Align::kLeft    ? DT_LEFT
                        : text.align == chart::Align::kRight ? DT_RIGHT
                                                             : DT_CENTER;
    const std::wstring wide = WideFromUtf8(text.text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area,
              across | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
  SelectObject(dc, before);
  for (const auto& [pixels, font] : fonts)
    DeleteObject(font);
}

}  // namespace windows
