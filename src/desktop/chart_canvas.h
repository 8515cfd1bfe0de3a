#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "lessons/chart.h"

namespace desktop {

// A chart painted as the core lays it out for the canvas's size, in the core's colours: its fills,
// its lines and its texts. To a screen reader a graphic with its name and described by the chart's
// text alternative. It shows the practice's chart after a check, or any scene of the core's.
class ChartCanvas final : public QWidget {
 public:
  using Painter = std::function<lessons::chart::Scene(int width, int height)>;

  ChartCanvas(const char* name, QWidget* parent);

  // The practice's chart, or none.
  void SetChart(std::optional<lessons::chart::Chart> chart);
  const std::optional<lessons::chart::Chart>& Chart() const { return chart_; }
  // Any chart: the scene `paint` lays out at a size, and its text alternative.
  void SetScene(Painter paint, const std::string& description);
  // The scene as it is painted now, or an empty one.
  lessons::chart::Scene Scene() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<lessons::chart::Chart> chart_;
  Painter paint_;
};

}  // namespace desktop
