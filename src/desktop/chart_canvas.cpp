#include "desktop/chart_canvas.h"

#include <QPainter>

#include "desktop/squares_canvas.h"

namespace desktop {

namespace chart = lessons::chart;

ChartCanvas::ChartCanvas(const char* name, QWidget* parent) : QWidget(parent) {
  setAccessibleName(QString::fromUtf8(name));
  setMinimumSize(200, 150);
  setAttribute(Qt::WA_OpaquePaintEvent);
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
  setAccessibleDescription(QString::fromStdString(description));
  update();
}

chart::Scene ChartCanvas::Scene() const {
  return paint_ ? paint_(width(), height()) : chart::Scene{};
}

// The fills in order, then the lines, then the texts, each in its rectangle as the core aligns it.
void ChartCanvas::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(lessons::picture::kBackground));
  if (!paint_) return;
  const chart::Scene scene = Scene();
  for (const lessons::picture::Fill& fill : scene.fills)
    painter.fillRect(ToQRect(fill.rect), ToQColor(fill.colour));
  for (const chart::Polyline& line : scene.lines) {
    QPolygon points;
    for (const chart::Point& point : line.points)
      points << QPoint(point.x, point.y);
    painter.setPen(
        QPen(ToQColor(line.colour), line.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(points);
  }
  QFont font = painter.font();
  for (const chart::Text& text : scene.texts) {
    font.setPixelSize(text.font_pixels);
    painter.setFont(font);
    painter.setPen(ToQColor(text.colour));
    const Qt::Alignment across = text.align == chart::Align::kLeft    ? Qt::AlignLeft
                                 : text.align == chart::Align::kRight ? Qt::AlignRight
                                                                      : Qt::AlignHCenter;
    painter.drawText(ToQRect(text.rect), across | Qt::AlignVCenter | Qt::TextDontClip,
                     QString::fromStdString(text.text));
  }
}

}  // namespace desktop
