#include "windows/chart_canvas.h"

#include <map>
#include <string>
#include <vector>

#include "windows/screen.h"
#include "windows/wide.h"

namespace windows {

namespace chart = lessons::chart;

ChartCanvas::ChartCanvas(HWND parent, int dpi, const char* name)
    : Canvas(parent, dpi), name_(name) {
  Changed(WideFromUtf8(name_).c_str());
}

void ChartCanvas::SetChart(std::optional<chart::Chart> chart) {
  chart_ = std::move(chart);
  if (!chart_) {
    SetScene(nullptr, {});
    return;
  }
  SetScene([shown = *chart_](int width, int height) { return chart::Paint(shown, width, height); },
           chart_->Description());
}

void ChartCanvas::SetScene(Painter paint, const std::string& description) {
  paint_ = std::move(paint);
  Changed(WideFromUtf8(paint_ ? description : std::string(name_)).c_str());
}

chart::Scene ChartCanvas::Scene(int width, int height) const {
  return paint_ ? paint_(width, height) : chart::Scene{};
}

// The fills in order, then the lines, then the texts, each in its rectangle as the core aligns it.
void ChartCanvas::PaintInto(HDC dc, int width, int height) const {
  FillIn(dc, {0, 0, width, height}, lessons::picture::kBackground);
  if (!paint_) return;
  const chart::Scene scene = Scene(width, height);
  for (const lessons::picture::Fill& fill : scene.fills)
    FillIn(dc, ToRect(fill.rect), fill.colour);
  const HGDIOBJ pen_before = GetCurrentObject(dc, OBJ_PEN);
  for (const chart::Polyline& line : scene.lines) {
    HPEN pen = CreatePen(PS_SOLID, line.width, ToColorRef(line.colour));
    SelectObject(dc, pen);
    std::vector<POINT> points;
    for (const chart::Point& point : line.points)
      points.push_back({point.x, point.y});
    Polyline(dc, points.data(), static_cast<int>(points.size()));
    SelectObject(dc, pen_before);
    DeleteObject(pen);
  }
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
