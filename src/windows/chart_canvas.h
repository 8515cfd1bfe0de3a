#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "lessons/chart.h"
#include "windows/canvas.h"

namespace windows {

// A chart painted with GDI as the core lays it out for the canvas's size, in the core's colours
// and the window's font: its fills, its lines and its texts; its name for a screen reader is the
// chart's text alternative. It shows the practice's chart after a check, or any scene of the
// core's.
class ChartCanvas final : public Canvas {
 public:
  using Painter = std::function<lessons::chart::Scene(int width, int height)>;

  ChartCanvas(HWND parent, int dpi, const char* name);

  // The practice's chart, or none.
  void SetChart(std::optional<lessons::chart::Chart> chart);
  const std::optional<lessons::chart::Chart>& Chart() const { return chart_; }
  // Any chart: the scene `paint` lays out at a size, and its text alternative.
  void SetScene(Painter paint, const std::string& description);
  // The scene as it is painted at a size, or an empty one.
  lessons::chart::Scene Scene(int width, int height) const;
  void PaintInto(HDC dc, int width, int height) const override;

 private:
  const char* name_;
  std::optional<lessons::chart::Chart> chart_;
  Painter paint_;
};

}  // namespace windows
