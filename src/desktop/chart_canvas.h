#pragma once

#include <QWidget>
#include <optional>

#include "lessons/chart.h"

namespace desktop {

// The chart after a check, painted as the core lays it out for the canvas's size, in the core's
// colours; to a screen reader a graphic named "Диаграмата" and described by the chart's text
// alternative.
class ChartCanvas final : public QWidget {
 public:
  explicit ChartCanvas(QWidget* parent);

  void SetChart(std::optional<lessons::chart::Chart> chart);
  const std::optional<lessons::chart::Chart>& Chart() const { return chart_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<lessons::chart::Chart> chart_;
};

}  // namespace desktop
