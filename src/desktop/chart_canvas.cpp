#include "desktop/chart_canvas.h"

#include <QPainter>

#include "desktop/squares_canvas.h"
#include "lessons/practice.h"

namespace desktop {

namespace chart = lessons::chart;

ChartCanvas::ChartCanvas(QWidget* parent) : QWidget(parent) {
  setAccessibleName(QString::fromUtf8(lessons::practice::kChartLabel));
  setMinimumSize(200, 150);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartCanvas::SetChart(std::optional<chart::Chart> chart) {
  chart_ = std::move(chart);
  setAccessibleDescription(chart_ ? QString::fromStdString(chart_->Description()) : QString());
  update();
}

// The fills in order, then the texts, each in its rectangle as the core aligns it.
void ChartCanvas::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(lessons::picture::kBackground));
  if (!chart_) return;
  const chart::Scene scene = chart::Paint(*chart_, width(), height());
  for (const lessons::picture::Fill& fill : scene.fills)
    painter.fillRect(ToQRect(fill.rect), ToQColor(fill.colour));
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
