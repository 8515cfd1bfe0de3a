#pragma once

#include <windows.h>

#include <optional>

#include "lessons/chart.h"
#include "windows/canvas.h"

namespace windows {

// The chart after a check, painted with GDI as the core lays it out for the canvas's size, in the
// core's colours and the window's font; its name for a screen reader is the chart's text
// alternative.
class ChartCanvas final : public Canvas {
 public:
  using Canvas::Canvas;

  void SetChart(std::optional<lessons::chart::Chart> chart);
  const std::optional<lessons::chart::Chart>& Chart() const { return chart_; }
  void PaintInto(HDC dc, int width, int height) const override;

 private:
  std::optional<lessons::chart::Chart> chart_;
};

}  // namespace windows
